' Helpers shared by the server's script tests, put in front of each by com_tests.sh (Wine's
' VBScript has no ExecuteGlobal to load them). Wine's cscript prints nothing for an uncaught
' error and exits 0, so every script runs with On Error Resume Next, checks Err after each call
' and ends through Finish.
Dim failures
failures = 0

Sub Check(condition, what)
    If condition Then
        WScript.Echo "ok   " & what
    Else
        WScript.Echo "FAIL " & what
        failures = failures + 1
    End If
End Sub

' Checks that the statement before raised no error, then clears it.
Sub NoError(what)
    Check Err.Number = 0, what & ": no error"
    If Err.Number <> 0 Then WScript.Echo "     got " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

' Excel sends a cell's text with a line end, as the Excel stand-in does.
Function CellText(text)
    CellText = text & vbCrLf
End Function

' An error inside a function would skip the caller's whole statement, so this one traps its own.
Function NewLink()
    On Error Resume Next
    Set NewLink = CreateObject("Sheetpush.ExcelLinke")
    NoError "CreateObject(""Sheetpush.ExcelLinke"")"
End Function

Function NewTable()
    On Error Resume Next
    Set NewTable = CreateObject("Sheetpush.ExcelTable")
    NoError "CreateObject(""Sheetpush.ExcelTable"")"
End Function

' UTF-16 files carry the Arabic texts: scripts themselves are read in the ANSI code page.
Function ReadUnicode(path)
    Dim fso
    Set fso = CreateObject("Scripting.FileSystemObject")
    ReadUnicode = fso.OpenTextFile(path, 1, False, -1).ReadAll
End Function

Sub WriteUnicode(path, text)
    Dim fso, file
    Set fso = CreateObject("Scripting.FileSystemObject")
    Set file = fso.CreateTextFile(path, True, True)
    file.Write text
    file.Close
End Sub

' The caller releases its objects first: Wine's WScript.Quit ends the process without releasing
' them, and the server would wait for ever.
Sub Finish()
    WScript.Quit failures
End Sub
