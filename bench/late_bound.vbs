' Late-bound call costs, in one run: the empty loop, Scripting.Dictionary.Item
' as the platform's own reference, then a property get and members at the
' start, the middle and the end of each class's table. Prints each cost net
' of the empty loop, in microseconds, and its ratio to the Dictionary call.
' Each figure is the best of several rounds: the script host's clock is
' coarse and the machine may be busy.
' The objects have a company code and no host, so that a member's own work
' is only composing its statement: without a host, steps that ask the host
' (the company, a translated title) fail and are caught, which costs more
' than any call, and a member like UfficiPACliForDest that asks the host on
' every call is left out.
' Usage: cscript //nologo late_bound.vbs [iterations per round] [rounds]
Option Explicit
Dim n, rounds, r, i, t0, best, empty_cost, dict_cost, d, lk, dc, cn, x
n = 50000
rounds = 5
If WScript.Arguments.Count > 0 Then n = CLng(WScript.Arguments(0))
If WScript.Arguments.Count > 1 Then rounds = CLng(WScript.Arguments(1))
best = -1

' Keeps the best cost of one pass, in microseconds, of the rounds so far.
Sub Keep(started)
  Dim t1, c
  t1 = Timer
  If t1 < started Then t1 = t1 + 86400
  c = (t1 - started) * 1000000 / n
  If best < 0 Or c < best Then best = c
End Sub

' The best cost of the rounds just run; starts the next measurement.
Function Taken()
  Taken = best
  best = -1
End Function

Sub Report(name)
  Dim net
  net = Taken() - empty_cost
  WScript.Echo Left(name & Space(44), 44) & Right(Space(8) & FormatNumber(net, 2), 8) & " us" & _
               Right(Space(8) & FormatNumber(net / dict_cost, 2), 8) & " x Dictionary"
End Sub

Set d = CreateObject("Scripting.Dictionary")
d.Add "k", "v"
Set lk = CreateObject("VELDRANE.CLSMG_LOOKUP")
lk.CodiceDitta = 1
Set dc = CreateObject("VELDRANE.CLSMG_DECODE")
dc.CodiceDitta = 1
Set cn = CreateObject("VELDRANE.CLSMG_CONNECT")

For r = 1 To rounds : t0 = Timer : For i = 1 To n : Next : Keep t0 : Next
empty_cost = Taken()
For r = 1 To rounds : t0 = Timer : For i = 1 To n : x = d.Item("k") : Next : Keep t0 : Next
dict_cost = best - empty_cost
WScript.Echo n & " iterations, best of " & rounds & " rounds; empty loop " & FormatNumber(empty_cost, 2) & " us"
Report "Scripting.Dictionary.Item"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : x = lk.Titolo : Next : Keep t0 : Next
Report "CLSMG_LOOKUP.Titolo (get)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : lk.Spese : Next : Keep t0 : Next
Report "CLSMG_LOOKUP.Spese (start)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : lk.Operatori : Next : Keep t0 : Next
Report "CLSMG_LOOKUP.Operatori (middle)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : lk.Filiere : Next : Keep t0 : Next
Report "CLSMG_LOOKUP.Filiere (end)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : x = dc.StringaSQL : Next : Keep t0 : Next
Report "CLSMG_DECODE.StringaSQL (get)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : dc.Richiedenti "X" : Next : Keep t0 : Next
Report "CLSMG_DECODE.Richiedenti (start)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : dc.RaggruppamentoVariante "A", "B" : Next : Keep t0 : Next
Report "CLSMG_DECODE.RaggruppamentoVariante (middle)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : dc.Filere "A" : Next : Keep t0 : Next
Report "CLSMG_DECODE.Filere (end)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : x = cn.CreateInstance : Next : Keep t0 : Next
Report "CLSMG_CONNECT.CreateInstance (start)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : x = cn.WindowState : Next : Keep t0 : Next
Report "CLSMG_CONNECT.WindowState (middle)"
For r = 1 To rounds : t0 = Timer : For i = 1 To n : cn.TerminateConnect : Next : Keep t0 : Next
Report "CLSMG_CONNECT.TerminateConnect (end)"
