' Whole tables from a script, timed inside it once the server runs: a 100 x 10 table written by
' one SheetpushTable call, the same 1,000 cells by 1,000 Sheetpush calls, one Sheetpush call and
' ImportTable of the block, taking turns round after round, a first round not counted; then a
' 10,000 x 10 table written whole and read back whole. The timed calls include the copy each
' table call is given (see Copy), not the checks of what was read. Prints "name milliseconds"
' lines, and how many calls did not do what they should.
'   table_bench.vbs <rounds>
On Error Resume Next
Dim tables, link, rounds, report, big, back, names, counts, spent(3), failures, round, kind, i, started
names = Array("script-table-100x10", "script-cells-1000", "script-sheetpush-one", "script-import-100x10")
counts = Array(5, 1, 50, 5)
rounds = CLng(WScript.Arguments(0))
failures = 0

Function CellText(row, column)
    CellText = "r" & row & "c" & column
End Function

Function Table(rows, columns)
    Dim values, row, column
    ReDim values(rows - 1, columns - 1)
    For row = 1 To rows
        For column = 1 To columns
            values(row - 1, column - 1) = CellText(row, column)
        Next
    Next
    Table = values
End Function

' Whether a block read back holds CellText in every cell.
Function Holds(back, rows, columns)
    Dim row, column
    Holds = Err.Number = 0 And IsArray(back)
    If Not Holds Then Exit Function
    For row = 1 To rows
        For column = 1 To columns
            If back(row, column) <> CellText(row, column) Then Holds = False
        Next
    Next
End Function

' Under Wine an array variable passed by reference comes back with its dimensions swapped: each
' call gets a copy of its own, a function's result.
Function Copy(values)
    Copy = values
End Function

Sub Once(kind)
    Dim result, cell
    Err.Clear
    Select Case kind
    Case 0
        result = tables.SheetpushTable(Copy(report), 1, 1, "Sheet1")
        If Err.Number <> 0 Or result <> True Then failures = failures + 1
    Case 1
        For cell = 0 To 999
            result = link.Sheetpush(CellText(cell \ 10 + 1, cell Mod 10 + 1), cell Mod 10 + 1, _
                                    cell \ 10 + 1, "Sheet1")
            If Err.Number <> 0 Or result <> True Then failures = failures + 1
        Next
    Case 2
        result = link.Sheetpush(CellText(1, 1), 1, 1, "Sheet1")
        If Err.Number <> 0 Or result <> True Then failures = failures + 1
    Case 3
        back = tables.ImportTable(1, 1, 10, 100, "Sheet1")
        If Err.Number <> 0 Or Not IsArray(back) Then failures = failures + 1
    End Select
End Sub

Function Elapsed(started)
    Elapsed = Timer - started
    ' Timer counts seconds since midnight.
    If Elapsed < 0 Then Elapsed = Elapsed + 86400
End Function

Set tables = CreateObject("Sheetpush.ExcelTable")
Set link = CreateObject("Sheetpush.ExcelLinke")
report = Table(100, 10)
For round = 0 To rounds
    For kind = 0 To 3
        started = Timer
        For i = 1 To counts(kind)
            Once kind
        Next
        If round > 0 Then spent(kind) = spent(kind) + Elapsed(started)
    Next
Next
For kind = 0 To 3
    WScript.Echo names(kind) & " " & spent(kind) * 1000 / (rounds * counts(kind))
Next
If Not Holds(back, 100, 10) Then failures = failures + 1

big = Table(10000, 10)
started = Timer
If tables.SheetpushTable(big, 1, 1, "Sheet1") <> True Then failures = failures + 1
WScript.Echo "script-table-10000x10-write " & Elapsed(started) * 1000
started = Timer
back = tables.ImportTable(1, 1, 10, 10000, "Sheet1")
WScript.Echo "script-table-10000x10-read " & Elapsed(started) * 1000
If Not Holds(back, 10000, 10) Then failures = failures + 1
Set tables = Nothing
Set link = Nothing
WScript.Echo "script-failures " & failures
