' Starts Excel on a workbook with Sheetpush.ExcelLinke.
'
'   cscript //nologo open_workbook.vbs <workbook>
Option Explicit
On Error Resume Next

Dim link, started
Set link = CreateObject("Sheetpush.ExcelLinke")
If Err.Number <> 0 Then
    WScript.Echo "Sheetpush.ExcelLinke is not available: " & Err.Description
    WScript.Quit 1
End If

' 1 shows Excel's window normally.
started = link.ExcelLinking(WScript.Arguments(0), 1)
If Err.Number <> 0 Then
    WScript.Echo "ExcelLinking failed: " & Err.Number & " " & Err.Description
    started = False
End If

' Release the object before quitting, so that the server can end.
Set link = Nothing
If started Then
    WScript.Echo "Excel was started on " & WScript.Arguments(0)
    WScript.Quit 0
End If
WScript.Echo "Excel could not be started"
WScript.Quit 1
