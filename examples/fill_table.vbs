' A table in one call: a header row and three rows of figures into Sheet1 from its cell A1, then
' the block read back. Run with cscript while Excel has a workbook with a sheet named Sheet1 open.
Dim table, values(3, 2), back, row
Set table = CreateObject("Sheetpush.ExcelTable")

' Rows by columns, as a range's value holds them; Empty leaves a cell empty.
values(0, 0) = "Item" : values(0, 1) = "Quantity" : values(0, 2) = "Price"
values(1, 0) = "Tea"  : values(1, 1) = 12         : values(1, 2) = 3.5
values(2, 0) = "Rice" : values(2, 1) = 4          : values(2, 2) = 11.25
values(3, 0) = "Salt" : values(3, 1) = Empty      : values(3, 2) = 0.8

' The top left cell is column 1, row 1: A1.
WScript.Echo "Written: " & table.SheetpushTable(values, 1, 1, "Sheet1")

' Column 1, row 1, 3 columns, 4 rows; the rows and columns count from 1.
back = table.ImportTable(1, 1, 3, 4, "Sheet1")
For row = 1 To 4
    WScript.Echo back(row, 1) & " | " & back(row, 2) & " | " & back(row, 3)
Next
Set table = Nothing
