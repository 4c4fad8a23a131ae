' Writes cells into a worksheet open in Excel with Sheetpush.ExcelLinke and reads them back.
'
'   cscript //nologo demo.vbs <cells file> <results file>
'
' The cells file is UTF-16 text: the sheet name on the first line, then one cell per line as
' column, tab, row, tab, text. The results file gets, for each cell, its reference and the text
' Excel sent back. Both are UTF-16 files because a script itself can only hold ANSI text, and
' the sheet and the cells may well be Arabic.
Option Explicit
On Error Resume Next

Const ForReading = 1, Unicode = -1

Dim fso, link, lines, sheet, i, fields, col, row, text, pushed, back, results, failures
Set fso = CreateObject("Scripting.FileSystemObject")
lines = Split(fso.OpenTextFile(WScript.Arguments(0), ForReading, False, Unicode).ReadAll, vbCrLf)
sheet = lines(0)
failures = 0

Set link = CreateObject("Sheetpush.ExcelLinke")
If Err.Number <> 0 Then
    WScript.Echo "Sheetpush.ExcelLinke is not available: " & Err.Description
    WScript.Quit 1
End If

Set results = fso.CreateTextFile(WScript.Arguments(1), True, True)
For i = 1 To UBound(lines)
    If Len(lines(i)) > 0 Then
        fields = Split(lines(i), vbTab)
        col = CInt(fields(0))
        row = CInt(fields(1))
        text = fields(2)
        pushed = link.Sheetpush(text, col, row, sheet)
        If Err.Number <> 0 Then
            WScript.Echo "R" & row & "C" & col & ": error " & Err.Number
            Err.Clear
            failures = failures + 1
        ElseIf Not pushed Then
            WScript.Echo "R" & row & "C" & col & ": Excel refused the text"
            failures = failures + 1
        Else
            ' Excel ends a cell's text with a line end.
            back = link.ImportFromExcel(col, row, sheet)
            If Right(back, 2) = vbCrLf Then back = Left(back, Len(back) - 2)
            results.WriteLine "R" & row & "C" & col & vbTab & back
            If back <> text Then failures = failures + 1
        End If
    End If
Next
results.Close

' Release the object before quitting, so that the server can end.
Set link = Nothing
WScript.Quit failures
