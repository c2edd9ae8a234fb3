' The automation contract of CLSMG_LOOKUP as a script sees it: the state of a
' new object, CodiceDitta, the bounds of ArrayFields, and the errors a
' failing call hands over (Err.Number, Description, Source).
Option Explicit
Dim failures
failures = 0

Sub Check(ok, what)
  If Not ok Then
    failures = failures + 1
    WScript.Echo "FAIL " & what
  End If
End Sub

Function NewLookup()
  Set NewLookup = CreateObject("VELDRANE.CLSMG_LOOKUP")
End Function

Sub TestNewObject()
  Dim o
  Set o = NewLookup()
  Check TypeName(o.Titolo) = "String" And o.Titolo = "", "Titolo of a new object: " & TypeName(o.Titolo)
  Check TypeName(o.StringaSQL) = "String" And o.StringaSQL = "", "StringaSQL of a new object"
  Check TypeName(o.ArrayFields) = "String" And o.ArrayFields = "", "ArrayFields of a new object"
  Check IsEmpty(o.IDLookup), "IDLookup of a new object: " & TypeName(o.IDLookup)
  Check o.SoloLinguePerDitta = True, "SoloLinguePerDitta of a new object"
  Check o.ActiveInterface Is Nothing, "ActiveInterface of a new object"
  Check o.CodiceDitta = 0, "CodiceDitta of a new object without host: " & o.CodiceDitta
End Sub

Sub TestProperties()
  Dim o
  Set o = NewLookup()
  o.CodiceDitta = 5
  Check o.CodiceDitta = 5 And TypeName(o.CodiceDitta) = "Long", "CodiceDitta set to 5: " & o.CodiceDitta
  o.CodiceDitta = 0
  Check o.CodiceDitta = 0, "CodiceDitta set back to 0: " & o.CodiceDitta
  o.Titolo = "Mio titolo"
  Check o.Titolo = "Mio titolo", "Titolo let"
  o.SoloLinguePerDitta = False
  Check o.SoloLinguePerDitta = False, "SoloLinguePerDitta let"
  ' Names are not case-sensitive.
  Check o.titolo = "Mio titolo" And o.TITOLO = "Mio titolo", "Titolo read in other cases"
End Sub

Sub TestBounds()
  Dim o
  Set o = NewLookup()
  o.Operatori
  Check UBound(o.ArrayFields, 1) = 1 And UBound(o.ArrayFields, 2) = 1, _
        "ArrayFields after Operatori: " & UBound(o.ArrayFields, 1) & ", " & UBound(o.ArrayFields, 2)
  Check LBound(o.ArrayFields, 1) = 0 And LBound(o.ArrayFields, 2) = 0, "lower bounds after Operatori"
  Dim a
  a = o.ArrayFields
  Check a(0, 0) = "Codice" And a(1, 0) = "Descrizione" And a(1, 1) = "", "captions after Operatori"
  o.Lingue
  Check UBound(o.ArrayFields, 1) = 2 And UBound(o.ArrayFields, 2) = 1, _
        "ArrayFields after a three-column lookup: " & UBound(o.ArrayFields, 1) & ", " & UBound(o.ArrayFields, 2)
End Sub

Sub TestErrors()
  Dim o, n, d, s
  Set o = NewLookup()
  o.Operatori
  On Error Resume Next
  o.Operatori "X;Y"
  n = Err.Number : d = Err.Description : s = Err.Source
  On Error GoTo 0
  Check n = 5, "refused sort column: Err.Number " & n
  Check d = "Invalid sort column: X;Y", "refused sort column: Err.Description [" & d & "]"
  Check s = "VELDRANE.CLSMG_LOOKUP", "refused sort column: Err.Source [" & s & "]"
  ' The refusal comes after the column array and the title were set.
  Check o.Titolo = "Elenco Operatori", "Titolo after the refused call"

  ' Only the framework's active interface is taken as ActiveInterface.
  On Error Resume Next
  Set o.ActiveInterface = CreateObject("Scripting.Dictionary")
  n = Err.Number
  On Error GoTo 0
  Check n = 13, "a foreign object as ActiveInterface: Err.Number " & n
  Set o.ActiveInterface = Nothing
  Check o.ActiveInterface Is Nothing, "ActiveInterface set to Nothing"

  On Error Resume Next
  o.NoSuchMember
  n = Err.Number
  On Error GoTo 0
  Check n = 438, "unknown member: Err.Number " & n
End Sub

TestNewObject
TestProperties
TestBounds
TestErrors
WScript.Echo "failures: " & failures
If failures = 0 Then WScript.Echo "DONE"
WScript.Quit failures
