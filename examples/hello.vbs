' The smallest client: one cell written and read back. Run with cscript while Excel has a
' workbook with a sheet named Sheet1 open.
Dim link, done, value
Set link = CreateObject("Sheetpush.ExcelLinke")

done = link.Sheetpush("Hello from Sheetpush", 2, 3, "Sheet1")   ' row 3, column 2: cell B3
value = link.ImportFromExcel(2, 3, "Sheet1")
WScript.Echo "Written: " & done & ", read back: " & value

' Start Excel on a workbook, maximized (show-window mode 3).
WScript.Echo "Excel started: " & link.ExcelLinking("C:\Books\Sales.xls", 3)
Set link = Nothing
