' Creates the lookup by its ProgID and says whether that worked.
On Error Resume Next
Dim o
Set o = CreateObject("VELDRANE.CLSMG_LOOKUP")
If Err.Number <> 0 Then
  WScript.Echo "NOT CREATED " & Err.Number
Else
  o.Operatori
  WScript.Echo "CREATED " & o.IDLookup
End If
