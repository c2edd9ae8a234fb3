' Requests whose sibling member fails, for messagebox.cmake: each shows the
' connector's error message box and answers False.
Set ctl = CreateObject("VeldraneTest.Sibling")
ctl.Reset
ctl.Fail "Porto"
ctl.Fail "ElencoClientiXGiri"
Set c = CreateObject("VELDRANE.CLSMG_CONNECT")
r1 = c.Porto("P")
r2 = c.ElencoCliXGiri
c.TerminateConnect
ctl.Reset
WScript.Echo "ANSWERS " & r1 & " " & r2
