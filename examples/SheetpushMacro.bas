Attribute VB_Name = "SheetpushMacro"
' A macro for a spreadsheet (Excel VBA): copies the selected cells of this workbook, one by one,
' into another workbook's sheet that Excel has open, through the Sheetpush server, and then
' reads them back into the column to the right. Late binding needs no reference; with a
' reference to the "Sheetpush" type library, Dim link As Sheetpush.ExcelLinke and New work too.
Option Explicit

Public Sub CopySelectionThroughSheetpush()
    Const TargetSheet As String = "Sheet1"
    Dim link As Object
    Dim cell As Range

    Set link = CreateObject("Sheetpush.ExcelLinke")
    For Each cell In Selection.Cells
        If Not link.Sheetpush(CStr(cell.Value), cell.Column, cell.Row, TargetSheet) Then
            MsgBox "Excel refused the cell " & cell.Address
            Exit Sub
        End If
        cell.Offset(0, 1).Value = link.ImportFromExcel(cell.Column, cell.Row, TargetSheet)
    Next cell
End Sub
