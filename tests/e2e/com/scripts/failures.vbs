' A failure inside a method reaches the client in Err with its number and description, and the
' call's result is not assigned. The server goes on serving.
On Error Resume Next

Dim link, nullSheet, arrayText, afterwards
Set link = NewLink()

nullSheet = link.Sheetpush("never poked", 3, 6, Null)
Check Err.Number = 94, "a Null Sheet is error 94, invalid use of Null (" & Err.Number & ")"
Check Len(Err.Description) > 0, "the error has a description"
Check Err.Source = "Sheetpush.ExcelLinke", "the error names its source"
Check IsEmpty(nullSheet), "the failed call assigns no result"
Err.Clear

arrayText = link.Sheetpush(Array(1, 2), 3, 6, "Sheet1")
Check Err.Number = 13, "an array as text is a type mismatch (" & Err.Number & ")"
Err.Clear

afterwards = link.Sheetpush("after the failures", 3, 6, "Sheet1")
NoError "a call after the failures"
Check afterwards = True, "the server still serves"

Set link = Nothing
Finish
