' One of many clients that run one right after another, as a batch job starts them: each makes
' two objects, writes a cell through each and lets go, and the next starts at once.
'   back_to_back.vbs write <n>    client n writes row n, columns 1 and 2 of Sheet1
'   back_to_back.vbs read <n>     checks that rows 1 to n hold what their clients wrote
On Error Resume Next

Function Written(client, column)
    Written = "client " & client & " object " & column
End Function

Dim first, second, mode, count, client
mode = WScript.Arguments(0)
count = CInt(WScript.Arguments(1))
Set first = NewLink()
If mode = "write" Then
    Set second = NewLink()
    Check first.Sheetpush(Written(count, 1), 1, count, "Sheet1") = True, _
        "client " & count & ": the first object's call returns True"
    NoError "client " & count & ": Sheetpush on the first object"
    Check second.Sheetpush(Written(count, 2), 2, count, "Sheet1") = True, _
        "client " & count & ": the second object's call returns True"
    NoError "client " & count & ": Sheetpush on the second object"
    Set second = Nothing
Else
    For client = 1 To count
        Check first.ImportFromExcel(1, client, "Sheet1") = CellText(Written(client, 1)) And _
            first.ImportFromExcel(2, client, "Sheet1") = CellText(Written(client, 2)), _
            "row " & client & " holds what its client wrote"
        NoError "reading row " & client
    Next
End If
Set first = Nothing
Finish
