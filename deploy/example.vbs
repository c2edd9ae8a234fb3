' VELDRANE from a script: cscript //nologo example.vbs
' Composes the operators' lookup and prints its title, identifier, captions
' and statement, then shows how a refused argument is reported.
Set lk = CreateObject("VELDRANE.CLSMG_LOOKUP")
lk.CodiceDitta = 1            ' or: Set lk.ActiveInterface = <host active interface>
lk.Operatori "MG01_DESCR"     ' without argument: sorted by MG01_CODICE
WScript.Echo lk.Titolo
WScript.Echo lk.IDLookup
cols = lk.ArrayFields         ' (0 To n-1, 0 To 1): captions in cols(c, 0)
For c = 0 To UBound(cols, 1): WScript.Echo cols(c, 0): Next
WScript.Echo lk.StringaSQL

Set dc = CreateObject("VELDRANE.CLSMG_DECODE")
dc.CodiceDitta = 1
dc.Operatore "ABC"
WScript.Echo dc.StringaSQL

On Error Resume Next
lk.Operatori "X;Y"            ' refused: Err.Number 5, Err.Source VELDRANE.CLSMG_LOOKUP
WScript.Echo "Refused: " & Err.Number & " " & Err.Description
