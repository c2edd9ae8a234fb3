' The automation contract of CLSMG_LOOKUP as a script sees it: the state and
' types of a new object, its properties, and what Err holds after a failing
' call. The column arrays' bounds and the refusals' numbers and sources are
' the shared cases' (cases.vbs), unknown names lookup_client's.
Option Explicit
Dim failures, o, n, d
failures = 0

Sub Check(ok, what)
  If Not ok Then failures = failures + 1 : WScript.Echo "FAIL " & what
End Sub

Set o = CreateObject("VELDRANE.CLSMG_LOOKUP")
Check TypeName(o.Titolo) = "String" And o.Titolo = "", "Titolo of a new object: " & TypeName(o.Titolo)
Check TypeName(o.StringaSQL) = "String" And o.StringaSQL = "", "StringaSQL of a new object"
Check TypeName(o.ArrayFields) = "String" And o.ArrayFields = "", "ArrayFields of a new object"
Check IsEmpty(o.IDLookup), "IDLookup of a new object: " & TypeName(o.IDLookup)
Check o.SoloLinguePerDitta = True, "SoloLinguePerDitta of a new object"
Check o.ActiveInterface Is Nothing, "ActiveInterface of a new object"
Check o.CodiceDitta = 0, "CodiceDitta of a new object without host: " & o.CodiceDitta

o.CodiceDitta = 5
Check o.CodiceDitta = 5 And TypeName(o.CodiceDitta) = "Long", "CodiceDitta set to 5: " & o.CodiceDitta
o.CodiceDitta = 0
Check o.CodiceDitta = 0, "CodiceDitta set back to 0: " & o.CodiceDitta
o.Titolo = "Mio titolo"
Check o.Titolo = "Mio titolo" And o.titolo = "Mio titolo" And o.TITOLO = "Mio titolo", "Titolo let, read in any case"
o.SoloLinguePerDitta = False
Check o.SoloLinguePerDitta = False, "SoloLinguePerDitta let"

On Error Resume Next
o.Operatori "X;Y"
n = Err.Number : d = Err.Description
On Error GoTo 0
Check n = 5 And d = "Invalid sort column: X;Y", "refused sort column: Err " & n & " [" & d & "]"

' Only the framework's active interface is taken as ActiveInterface.
On Error Resume Next
Set o.ActiveInterface = CreateObject("Scripting.Dictionary")
n = Err.Number
On Error GoTo 0
Check n = 13, "a foreign object as ActiveInterface: Err.Number " & n
Set o.ActiveInterface = Nothing
Check o.ActiveInterface Is Nothing, "ActiveInterface set to Nothing"

WScript.Echo "failures: " & failures
If failures = 0 Then WScript.Echo "DONE"
WScript.Quit failures
