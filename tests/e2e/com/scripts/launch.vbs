' ExcelLinking through the real server: the first call starts the Excel found at the default
' path on a workbook; the second runs after the stored path was pointed at a program that does
' not exist in that folder, whose launch fails with the message the test closes.
On Error Resume Next
Dim link, launched, mode, shell
Set link = NewLink()

launched = link.ExcelLinking("C:\books\sales.xls", 1)
NoError "ExcelLinking on a workbook"
Check TypeName(launched) = "Boolean" And launched = True, "ExcelLinking starts Excel"

'  A nine-character name keeps the folder that holds Excel.exe, since the folder is the path
' without its last ten characters.
Set shell = CreateObject("WScript.Shell")
shell.RegWrite "HKCU\Software\Orvand\Sheetpush\ExcelPath", _
    "C:\program files\microsoft office\office\Nothe.exe", "REG_SZ"
mode = 1
launched = link.ExcelLinking("C:\books\sales.xls", mode)
NoError "ExcelLinking with a program that is not there"
Check launched = False, "a program that is not there is reported as False"

Set link = Nothing
Finish
