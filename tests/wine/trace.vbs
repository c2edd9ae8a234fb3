' One object, created and released: its two trace lines.
Dim o
Set o = CreateObject("VELDRANE.CLSMG_LOOKUP")
o.Operatori
Set o = Nothing
WScript.Echo "RELEASED"
