' Two objects are distinct, and both are served by the one server thread and its link window,
' which writes to two sheets in turn.
On Error Resume Next

Dim first, second
Set first = NewLink()
Set second = NewLink()
Check Not (first Is second), "two creations give two objects"

Check first.Sheetpush("through the first", 2, 7, "Sheet1") = True, "the first object writes"
NoError "Sheetpush on the first object"
Check second.ImportFromExcel(2, 7, "Sheet1") = CellText("through the first"), _
    "the second object reads it"
NoError "ImportFromExcel on the second object"
Check second.Sheetpush("through the second", 2, 8, "Sheet2") = True, _
    "the second object writes to another sheet"
NoError "Sheetpush on the second object"

Set first = Nothing
Check second.ImportFromExcel(2, 8, "Sheet2") = CellText("through the second"), _
    "the second object outlives the first"
NoError "ImportFromExcel after the first object went"
Check second.ImportFromExcel(2, 7, "Sheet1") = CellText("through the first"), _
    "the first sheet still answers"
NoError "ImportFromExcel back on the first sheet"

Set second = Nothing
Finish
