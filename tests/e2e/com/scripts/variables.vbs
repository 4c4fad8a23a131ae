' Variables, which VBScript passes as references to variants. The server follows them, and
' leaves every variable as it was: value and type.
On Error Resume Next

Dim link, txt, col, row, sheet, pushed, value, workbook, show, launched
Set link = NewLink()
txt = "from variables"
col = 3
row = 5
sheet = "Sheet1"

pushed = link.Sheetpush(txt, col, row, sheet)
NoError "Sheetpush with variables"
Check pushed = True, "Sheetpush reports success"
Check txt = "from variables" And TypeName(txt) = "String", "txt unchanged"
Check col = 3 And TypeName(col) = "Integer", "Col unchanged"
Check row = 5 And TypeName(row) = "Integer", "Row unchanged"
Check sheet = "Sheet1" And TypeName(sheet) = "String", "Sheet unchanged"

value = link.ImportFromExcel(col, row, sheet)
NoError "ImportFromExcel with variables"
Check value = CellText("from variables"), "the cell reads back what was written"
Check col = 3 And row = 5 And sheet = "Sheet1", "ImportFromExcel leaves its arguments"

' The platform's own dispatcher refuses a variable for the 32-bit ExcelShow with a type mismatch.
workbook = "book.xls"
show = 7
launched = link.ExcelLinking(workbook, show)
NoError "ExcelLinking with variables"
Check TypeName(launched) = "Boolean" And launched = True, "ExcelLinking starts Excel"
Check workbook = "book.xls" And show = 7 And TypeName(show) = "Integer", _
    "ExcelLinking leaves its arguments"

Set link = Nothing
Finish
