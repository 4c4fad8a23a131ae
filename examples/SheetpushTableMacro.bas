Attribute VB_Name = "SheetpushTableMacro"
' A macro for a spreadsheet (Excel VBA): copies the selected range of this workbook, in one call,
' to the same cells of another workbook's sheet that Excel has open, through the Sheetpush server,
' and reads it back into the rows below the selection. A range's Value is the 2-D array that
' SheetpushTable takes, and ImportTable gives one back in the same form. Late binding needs no
' reference; with a reference to the "SheetpushTables" type library,
' Dim table As SheetpushTables.ExcelTable and New work too.
Option Explicit

Public Sub CopySelectionAsOneTable()
    Const TargetSheet As String = "Sheet1"
    Dim table As Object
    Dim area As Range
    Dim values As Variant
    Dim back As Variant

    Set area = Selection.Areas(1)
    values = area.Value
    ' One cell's Value is no array: it goes as a row of one.
    If Not IsArray(values) Then values = Array(values)

    Set table = CreateObject("Sheetpush.ExcelTable")
    If Not table.SheetpushTable(values, area.Column, area.Row, TargetSheet) Then
        MsgBox "Excel did not take the table " & area.Address
        Exit Sub
    End If
    back = table.ImportTable(area.Column, area.Row, area.Columns.Count, area.Rows.Count, _
                             TargetSheet)
    If Not IsEmpty(back) Then area.Offset(area.Rows.Count, 0).Value = back
End Sub
