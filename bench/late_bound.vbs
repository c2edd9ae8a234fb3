' Late-bound call costs, in one run: the empty loop, Scripting.Dictionary.Item
' as the platform's own reference, then a property get and members at the
' start, the middle and the end of each class's table. Prints each cost net
' of the empty loop, in microseconds, and its ratio to the Dictionary call.
' The objects have a company code and no host, so that a member's own work
' is only composing its statement: without a host, steps that ask the host
' (the company, a translated title) fail and are caught, which costs more
' than any call, and a member like UfficiPACliForDest that asks the host on
' every call is left out.
' Usage: cscript //nologo late_bound.vbs [iterations]
Option Explicit
Dim n, i, t, empty_cost, dict_cost, d, lk, dc, cn, x
n = 20000
If WScript.Arguments.Count > 0 Then n = CLng(WScript.Arguments(0))

Function Elapsed(t0)
  Dim t1
  t1 = Timer
  If t1 < t0 Then t1 = t1 + 86400
  Elapsed = (t1 - t0) * 1000000 / n
End Function

Sub Report(name, cost)
  Dim net
  net = cost - empty_cost
  WScript.Echo Left(name & Space(44), 44) & Right(Space(8) & FormatNumber(net, 2), 8) & " us" & _
               Right(Space(8) & FormatNumber(net / dict_cost, 2), 8) & " x Dictionary"
End Sub

t = Timer : For i = 1 To n : Next : empty_cost = Elapsed(t)
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", "v"
t = Timer : For i = 1 To n : x = d.Item("k") : Next : dict_cost = Elapsed(t) - empty_cost
WScript.Echo "iterations " & n & ", empty loop " & FormatNumber(empty_cost, 2) & " us"
Report "Scripting.Dictionary.Item", dict_cost + empty_cost

Set lk = CreateObject("VELDRANE.CLSMG_LOOKUP")
lk.CodiceDitta = 1
t = Timer : For i = 1 To n : x = lk.Titolo : Next : Report "CLSMG_LOOKUP.Titolo (get)", Elapsed(t)
t = Timer : For i = 1 To n : lk.Spese : Next : Report "CLSMG_LOOKUP.Spese (start)", Elapsed(t)
t = Timer : For i = 1 To n : lk.Operatori : Next : Report "CLSMG_LOOKUP.Operatori (middle)", Elapsed(t)
t = Timer : For i = 1 To n : lk.Filiere : Next : Report "CLSMG_LOOKUP.Filiere (end)", Elapsed(t)

Set dc = CreateObject("VELDRANE.CLSMG_DECODE")
dc.CodiceDitta = 1
t = Timer : For i = 1 To n : x = dc.StringaSQL : Next : Report "CLSMG_DECODE.StringaSQL (get)", Elapsed(t)
t = Timer : For i = 1 To n : dc.Richiedenti "X" : Next : Report "CLSMG_DECODE.Richiedenti (start)", Elapsed(t)
t = Timer : For i = 1 To n : dc.RaggruppamentoVariante "A", "B" : Next : Report "CLSMG_DECODE.RaggruppamentoVariante (middle)", Elapsed(t)
t = Timer : For i = 1 To n : dc.Filere "A" : Next : Report "CLSMG_DECODE.Filere (end)", Elapsed(t)

Set cn = CreateObject("VELDRANE.CLSMG_CONNECT")
t = Timer : For i = 1 To n : x = cn.CreateInstance : Next : Report "CLSMG_CONNECT.CreateInstance (start)", Elapsed(t)
t = Timer : For i = 1 To n : x = cn.WindowState : Next : Report "CLSMG_CONNECT.WindowState (middle)", Elapsed(t)
t = Timer : For i = 1 To n : cn.TerminateConnect : Next : Report "CLSMG_CONNECT.TerminateConnect (end)", Elapsed(t)
