' Round trips from a script: Sheetpush to one cell, or a call the server answers without Excel
' (a Null sheet fails at its conversion). The caller times two runs of different lengths.
'   script_bench.vbs <calls> push|nodde
On Error Resume Next
Dim link, calls, mode, i, result, nullSheet
nullSheet = Null
calls = CLng(WScript.Arguments(0))
mode = WScript.Arguments(1)
Set link = CreateObject("Sheetpush.ExcelLinke")
For i = 1 To calls
    If mode = "push" Then
        result = link.Sheetpush("bench", 1, 1, "Sheet1")
    Else
        result = link.Sheetpush("bench", 1, 1, nullSheet)
    End If
Next
Set link = Nothing
