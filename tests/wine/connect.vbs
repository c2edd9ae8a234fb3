' CLSMG_CONNECT as a script sees it, against the fake sibling connector of
' the test host DLL (steered and read through VeldraneTest.Sibling): the
' property types, members called by name with arguments left out, and the
' sibling's by-reference writes. Non-modal siblings are connect_client's, a
' failing member messagebox.vbs's.
Option Explicit
Dim failures, ctl
failures = 0
Set ctl = CreateObject("VeldraneTest.Sibling")

Sub Check(ok, what)
  If Not ok Then failures = failures + 1 : WScript.Echo "FAIL " & what
End Sub

' The log of one request on a new sibling.
Function OnNewSibling(callText)
  OnNewSibling = "#1 get ClsConnect" & vbLf & "#1 set ClsConnect = Object" & vbLf & "#1 " & callText & vbLf & "#1 released"
End Function

Function NewConnect()
  ctl.Reset
  Set NewConnect = CreateObject("VELDRANE.CLSMG_CONNECT")
End Function

Sub TestProperties()
  Dim c
  Set c = NewConnect()
  Check TypeName(c.WindowModal) = "Boolean" And c.WindowModal = True, "WindowModal: " & TypeName(c.WindowModal)
  Check TypeName(c.ProgramMode) = "Long" And c.ProgramMode = 2, "ProgramMode: " & TypeName(c.ProgramMode)
  c.Top = 100000
  Check TypeName(c.Top) = "Long" And c.Top = 100000, "Top: " & TypeName(c.Top)
  Check c.ConnectField Is Nothing And c.ActiveInterface Is Nothing, "object fields are Nothing"
  Check c.Flag_AperturaAutomatica = False, "Flag_AperturaAutomatica"
End Sub

' A request on a new facade: True, and the sibling saw the call as given.
Sub Forwarded(r, callText)
  Dim log
  log = ctl.Log
  Check r = True And TypeName(r) = "Boolean" And log = OnNewSibling(callText), callText & ": " & TypeName(r) & " " & log
End Sub

Sub TestForwarding()
  Forwarded NewConnect().Operatori, "Operatori(Str:"""")"
  Forwarded NewConnect().MacroAree, "MacroAree(Dec:0, Str:"""")"
  Forwarded NewConnect().Zone(1, "MA", , "Z1"), "Zone(Dec:1, Str:""MA"", Str:"""", Str:""Z1"")"
  Forwarded NewConnect().ElencoCliXGiri("G1"), "ElencoClientiXGiri(Str:""G1"")"
  Forwarded NewConnect().RiferimentiGraficiEXT(1, "H", "R-1", 3), _
            "RiferimentiGraficiEXT(I2:1, Str:""H"", Str:""R-1"", I2:3, I2:0, Bool:False)"
End Sub

' The sibling's writes: into the facade's own flag, not into a script
' variable passed to a Variant parameter (it goes as a value).
Sub TestByReference()
  Dim c, params
  Set c = NewConnect()
  ctl.Write "TrasformazioneDocumenti", 9, True
  Check c.TrasformazioneDocumenti("T1") And c.Flag_AperturaAutomatica = True, "Flag_AperturaAutomatica as left"
  params = "P"
  Set c = NewConnect()
  ctl.Write "ListiniUltPrArtClientiArtFornitori", 0, "changed"
  Check c.ListiniUltPrArtClientiArtFornitori(params) And params = "P", "ArrayParametri goes as a value: " & params
End Sub

TestProperties
TestForwarding
TestByReference
ctl.Reset
WScript.Echo "failures: " & failures
If failures = 0 Then WScript.Echo "DONE"
WScript.Quit failures
