' Arabic text and an Arabic sheet name, in and out through UTF-16 files.
'   arabic.vbs <input: text, line end, sheet> <output>
On Error Resume Next

Dim link, lines, pushed, value
lines = Split(ReadUnicode(WScript.Arguments(0)), vbCrLf)
Set link = NewLink()

pushed = link.Sheetpush(lines(0), 2, 3, lines(1))
NoError "Sheetpush of Arabic text to an Arabic sheet"
Check pushed = True, "Sheetpush reports success"
value = link.ImportFromExcel(2, 3, lines(1))
NoError "ImportFromExcel from the Arabic sheet"
WriteUnicode WScript.Arguments(1), value

Set link = Nothing
Finish
