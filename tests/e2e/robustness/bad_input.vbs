' Bad values as only a script passes them, in every parameter: its own objects, and its values
' of each type, which reach the server as references to variants (the robustness client passes
' the same texts by value). Each call ends with its expected result or a clean error in Err with
' a description and its source; after each, a plain call must succeed. Calls that end in the link
' failure message print "box <fragment>": the shell script closes the boxes and checks their
' texts.
On Error Resume Next

' A default property, which the standard coercion reads (a default function it does not call).
Class WithDefault
    Public Text
    Public Default Property Get Value()
        Value = Text
    End Property
End Class

Class WithoutDefault
    Public Text
End Class

' Following its default value never leads anywhere else.
Class ItsOwnDefault
    Public Default Property Get Value()
        Set Value = Me
    End Property
End Class

Dim link, row
Set link = NewLink()
row = 12

Function GoodValue(slot)
    Select Case slot
    Case "txt": GoodValue = "from the default value"
    Case "Col", "Row": GoodValue = "7"
    Case "Sheet": GoodValue = "Sheet1"
    Case "XLS": GoodValue = "book.xls"
    Case "ExcelShow": GoodValue = "1"
    End Select
End Function

' One call with value in place of slot; the others get values the server takes.
Sub CallWith(slot, value, result)
    Dim txt, col, rowArg, sheet, book, show
    txt = "bad input" : col = 2 : rowArg = row : sheet = "Sheet1" : book = "book.xls" : show = 1
    Select Case slot
    Case "txt": result = link.Sheetpush(value, col, rowArg, sheet)
    Case "Col": result = link.Sheetpush(txt, value, rowArg, sheet)
    Case "Row": result = link.Sheetpush(txt, col, value, sheet)
    Case "Sheet": result = link.Sheetpush(txt, col, rowArg, value)
    Case "XLS": result = link.ExcelLinking(value, show)
    Case "ExcelShow": result = link.ExcelLinking(book, value)
    End Select
End Sub

' expected: "true", "true:<cell text>" (txt) or "true@<column or row>", "box:<fragment>" (the
' link failure message), "launchbox" (the launch failure message), "err:<number>".
Sub Try(what, slot, value, expected)
    ' Wine's VBScript takes no index on a function's result: Split goes into a variable first.
    On Error Resume Next
    Dim result, number, description, source, label, kind, detail, parts
    label = what & " as " & slot
    Err.Clear
    CallWith slot, value, result
    number = Err.Number
    description = Err.Description
    source = Err.Source
    Err.Clear
    parts = Split(expected, ":")
    kind = parts(0)
    detail = Mid(expected, Len(kind) + 2)
    Select Case kind
    Case "err"
        Check number = CLng(detail), label & ": error " & detail & " (" & number & ")"
        ' The platform's dispatcher converts the 32-bit ExcelShow, and raises its errors itself.
        If slot <> "ExcelShow" Then
            Check Len(description) > 0 And source = "Sheetpush.ExcelLinke", _
                label & ": the error has a description and its source (" & source & ")"
        End If
        Check IsEmpty(result), label & ": no result"
    Case "box", "launchbox"
        Check number = 0 And result = False, label & ": False (" & number & ")"
        WScript.Echo kind & " " & detail
    Case Else
        Check number = 0 And result = True, label & ": True (" & number & ")"
        If slot <> "XLS" And slot <> "ExcelShow" Then CheckCell label, slot, expected
    End Select
    Check link.Sheetpush("next call", 1, 1, "Sheet1") = True, label & ": the next call succeeds"
    Err.Clear
    row = row + 1
End Sub

Sub CheckCell(label, slot, expected)
    On Error Resume Next
    Dim column, at, wanted
    column = 2 : at = row : wanted = "bad input"
    If Left(expected, 5) = "true@" Then
        If slot = "Col" Then column = CInt(Mid(expected, 6)) Else at = CInt(Mid(expected, 6))
    ElseIf slot = "txt" Then
        wanted = Mid(expected, 6)
    End If
    Check link.ImportFromExcel(column, at, "Sheet1") = CellText(wanted), label & ": the text is in its cell"
End Sub

' One value in all six places, with the expectations for txt, Col, Row, Sheet, XLS, ExcelShow.
Sub TryEverywhere(what, value, expectations)
    On Error Resume Next
    Dim slots, i
    slots = Array("txt", "Col", "Row", "Sheet", "XLS", "ExcelShow")
    For i = 0 To 5
        Try what, slots(i), value, expectations(i)
    Next
End Sub

Dim withDefault(5), withoutDefault, ownDefault, slotNames, objectExpectations, i, noon
slotNames = Array("txt", "Col", "Row", "Sheet", "XLS", "ExcelShow")
Set withoutDefault = New WithoutDefault
Set ownDefault = New ItsOwnDefault
noon = DateSerial(2024, 1, 31) + TimeSerial(12, 0, 0)

TryEverywhere "Empty", Empty, Array("true:", "box:C0", "box:R0C", "box:Excel|", "true", "true")
TryEverywhere "Null", Null, Array("err:94", "err:94", "err:94", "err:94", "true", "err:13")
TryEverywhere "an array", Array(1, 2), Array("err:13", "err:13", "err:13", "err:13", "launchbox", "err:13")
objectExpectations = Array("true:from the default value", "true@7", "true@7", "true", "true", "true")
For i = 0 To 5
    Set withDefault(i) = New WithDefault
    withDefault(i).Text = GoodValue(slotNames(i))
    Try "an object with a default value", slotNames(i), withDefault(i), objectExpectations(i)
Next
TryEverywhere "an object without one", withoutDefault, Array("err:438", "err:438", "err:438", "err:438", "launchbox", "err:13")
TryEverywhere "an object that is its own default value", ownDefault, Array("err:13", "err:13", "err:13", "err:13", "launchbox", "err:13")
TryEverywhere "a negative number", -5, Array("true:-5", "box:C-5", "box:R-5", "box:Excel|-5", "true", "true")
TryEverywhere "a number beyond 32 bits", 5000000000, Array("true:5000000000", "box:C5000000000", "box:R5000000000", "box:Excel|5000000000", "true", "err:6")
TryEverywhere "a date", noon, Array("true:" & CStr(noon), "true@1", "true@1", "box:Excel|" & CStr(noon), "true", "true")
TryEverywhere "a Boolean", True, Array("true:True", "box:C0", "box:R0C", "box:Excel|True", "true", "true")

Set link = Nothing
' Wine's cscript ends silently on a script it cannot run: this line proves the table ran.
WScript.Echo "table finished"
Finish
