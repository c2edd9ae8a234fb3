' A request when the sibling connector cannot be created, for
' messagebox.cmake.
Set c = CreateObject("VELDRANE.CLSMG_CONNECT")
WScript.Echo "ANSWERS " & c.StampaPorto
