' Round trips from a script, timed inside it once the server runs: a call the server answers
' without Excel (a Null sheet fails at its conversion), Sheetpush to one sheet, and Sheetpush to
' three sheets in turn. The three take turns, round after round, so that a change in the
' machine's load falls on all of them alike; a first round warms up and is not counted.
' Prints "name milliseconds-per-call" lines, and how many calls did not do what they should.
'   script_bench.vbs <rounds> <calls per round>
On Error Resume Next
Dim link, rounds, perRound, nullSheet, names, spent(2), failures, round, kind, i, result, started, elapsed
names = Array("script-nodde", "script-one-sheet", "script-in-turn")
nullSheet = Null
rounds = CLng(WScript.Arguments(0))
perRound = CLng(WScript.Arguments(1))
failures = 0
Set link = CreateObject("Sheetpush.ExcelLinke")
For round = 0 To rounds
    For kind = 0 To 2
        started = Timer
        For i = 1 To perRound
            Err.Clear
            Select Case kind
            Case 0
                result = link.Sheetpush("bench", 1, 1, nullSheet)
                If Err.Number = 0 Then failures = failures + 1
            Case 1
                result = link.Sheetpush("bench", 1, 1, "Sheet1")
                If Err.Number <> 0 Or result <> True Then failures = failures + 1
            Case 2
                result = link.Sheetpush("bench", 1, 1, "Sheet" & (i Mod 3 + 1))
                If Err.Number <> 0 Or result <> True Then failures = failures + 1
            End Select
        Next
        elapsed = Timer - started
        ' Timer counts seconds since midnight.
        If elapsed < 0 Then elapsed = elapsed + 86400
        If round > 0 Then spent(kind) = spent(kind) + elapsed
    Next
Next
Set link = Nothing
For kind = 0 To 2
    WScript.Echo names(kind) & " " & spent(kind) * 1000 / (rounds * perRound)
Next
WScript.Echo "script-failures " & failures
