' CLSMG_CONNECT as a script sees it, against the fake sibling connector of
' the test host DLL (steered and read through VeldraneTest.Sibling): members
' called by name with arguments left out, the property types, modal and
' non-modal siblings, a failing sibling member (False, no error for the
' script) and the sibling's by-reference writes.
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

Sub TestNonModal()
  Dim c, r1, r2
  Set c = NewConnect()
  c.WindowModal = False
  r1 = c.Depositi("D1")
  r2 = c.Marche
  Check r1 And r2 And ctl.Live = 1, "two non-modal requests, one sibling: " & ctl.Live
  Check ctl.Log = "#1 get ClsConnect" & vbLf & "#1 set ClsConnect = Object" & vbLf & "#1 Depositi(Str:""D1"")" & vbLf & _
        "#1 get ClsConnect" & vbLf & "#1 Marche(Str:"""")", "the same sibling"
  Check Not (ctl.ClsConnectOf(1) Is Nothing), "the sibling holds the facade"
  c.TerminateConnect
  Check ctl.Live = 0 And ctl.Log = "#1 set ClsConnect = Nothing" & vbLf & "#1 released", "TerminateConnect"
End Sub

' A failing sibling member: False, no error for the script, the sibling kept.
Sub TestFailure()
  Dim c, r, n
  Set c = NewConnect()
  ctl.Fail "Porto"
  On Error Resume Next
  r = c.Porto("P")
  n = Err.Number
  On Error GoTo 0
  Check n = 0 And r = False And ctl.Live = 1, "a failing sibling member: error " & n & ", " & r & ", " & ctl.Live
  c.TerminateConnect
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
TestNonModal
TestFailure
TestByReference
ctl.Reset
WScript.Echo "failures: " & failures
If failures = 0 Then WScript.Echo "DONE"
WScript.Quit failures
