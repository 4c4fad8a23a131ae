' Literal arguments, which VBScript passes by value: a small integer arrives as VT_I2, a text as
' VT_BSTR. Column 3 and row 5 must reach Excel as R5C3 (checked in the stand-in's log).
On Error Resume Next

Dim link, pushed, value
Set link = NewLink()

pushed = link.Sheetpush("literal text", 3, 5, "Sheet1")
NoError "Sheetpush with literals"
Check TypeName(pushed) = "Boolean", "Sheetpush returns a Boolean"
Check pushed = True, "Sheetpush reports success"

value = link.ImportFromExcel(3, 5, "Sheet1")
NoError "ImportFromExcel with literals"
Check TypeName(value) = "String", "ImportFromExcel returns a String"
Check value = CellText("literal text"), "the cell reads back what was written"

pushed = link.Sheetpush(12.5, "4", 6.4, "Sheet1")
NoError "Sheetpush with a number as text and numbers as column and row"
Check link.ImportFromExcel(4, 6, "Sheet1") = CellText("12.5"), _
    "a number is written in its text form, row 6.4 rounds to 6"

Set link = Nothing
Finish
