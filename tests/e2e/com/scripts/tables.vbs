' Whole tables through Sheetpush.ExcelTable as a script passes them: its arrays of variants, 2-D
' and 1-D, with numbers, a Boolean and Empty among the texts, each read back whole with
' ImportTable, also from an Excel in French letters; refusals, each False with the link failure
' message, announced as "box" for the shell script to read; and a table whose later band Excel
' refuses, with the rows before that band in place, their number printed as "landed <n>".
'   tables.vbs   (a stand-in serves Sheet1, its rows from 3500 on locked; another Feuil1 in
'                 French letters)
On Error Resume Next

Dim tables, link
Set tables = NewTable()
Set link = NewLink()

' Whether the block of rows by columns at (col, row) reads back, rows and columns from 1, as the
' texts expected, row after row.
Function ReadsBack(col, row, sheet, rows, cols, expected)
    On Error Resume Next
    Dim back, i, j, same
    back = tables.ImportTable(col, row, cols, rows, sheet)
    same = Err.Number = 0 And IsArray(back)
    If same Then same = LBound(back, 1) = 1 And UBound(back, 1) = rows And _
        LBound(back, 2) = 1 And UBound(back, 2) = cols
    If same Then
        For i = 1 To rows
            For j = 1 To cols
                If TypeName(back(i, j)) <> "String" Then
                    same = False
                ElseIf back(i, j) <> expected((i - 1) * cols + j - 1) Then
                    same = False
                End If
            Next
        Next
    End If
    Err.Clear
    ReadsBack = same
End Function

Sub Written(what, values, col, row, sheet, rows, cols, expected)
    On Error Resume Next
    Dim ok
    ok = tables.SheetpushTable(values, col, row, sheet)
    NoError what & ": SheetpushTable"
    Check TypeName(ok) = "Boolean" And ok = True, what & ": True"
    Check ReadsBack(col, row, sheet, rows, cols, expected), what & ": reads back whole"
End Sub

Sub Refused(what, values, col, row)
    On Error Resume Next
    Dim ok
    ok = tables.SheetpushTable(values, col, row, "Sheet1")
    NoError what & ": SheetpushTable"
    Check TypeName(ok) = "Boolean" And ok = False, what & ": False"
    WScript.Echo "box"
End Sub

' Each call gets an array of its own: under Wine an array variable passed by reference comes back
' with its dimensions swapped, whoever the server is.
Function Mixed()
    Dim values(1, 2)
    values(0, 0) = "text" : values(0, 1) = 12.5 : values(0, 2) = True
    values(1, 0) = Empty  : values(1, 1) = 42   : values(1, 2) = "last"
    Mixed = values
End Function

Dim texts
texts = Array("text", "12.5", "True", "", "42", "last")

Written "a 2-D array of texts, numbers, a Boolean and Empty", Mixed(), 2, 3, "Sheet1", 2, 3, texts
Written "a 1-D array is one row", Array("p", "q", "r"), 2, 6, "Sheet1", 1, 3, Array("p", "q", "r")
Written "an Excel in French letters", Mixed(), 2, 3, "Feuil1", 2, 3, texts
Check link.ImportFromExcel(3, 3, "Sheet1") = CellText("12.5"), _
    "a cell of the table reads back through ExcelLinke"
NoError "ImportFromExcel"

Refused "a cell text with a TAB", Array("before", "a" & vbTab & "b"), 1, 20
Check ReadsBack(1, 20, "Sheet1", 1, 2, Array("", "")), "a cell text with a TAB: nothing written"
Refused "a block past the last row", Mixed(), 1, 1048576

' Rows of about 60 characters: 3000 of them go in two bands, the second reaching the locked rows.
Function BigCell(row, column)
    If column = 1 Then BigCell = "first " & row & String(40, "x") Else BigCell = "second " & row
End Function

Function Big()
    Dim values(2999, 1), i
    For i = 0 To 2999
        values(i, 0) = BigCell(i + 1, 1)
        values(i, 1) = BigCell(i + 1, 2)
    Next
    Big = values
End Function

Dim i, back, landed, rest
Refused "a table whose later band is refused", Big(), 1, 1001
back = tables.ImportTable(1, 1001, 2, 3000, "Sheet1")
NoError "ImportTable of the table whose later band was refused"
landed = 0
Do While landed < 3000
    If back(landed + 1, 1) <> BigCell(landed + 1, 1) Or _
        back(landed + 1, 2) <> BigCell(landed + 1, 2) Then Exit Do
    landed = landed + 1
Loop
rest = True
For i = landed + 1 To 3000
    If back(i, 1) <> "" Or back(i, 2) <> "" Then rest = False
Next
Check landed > 0 And landed < 3000, "some rows landed, not all (" & landed & ")"
Check rest, "no row after them was written"
WScript.Echo "landed " & landed

Set tables = Nothing
Set link = Nothing
Finish
