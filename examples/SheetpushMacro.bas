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
    Dim copied As String

    Set link = CreateObject("Sheetpush.ExcelLinke")
    For Each cell In Selection.Cells
        If Not link.Sheetpush(CStr(cell.Value), cell.Column, cell.Row, TargetSheet) Then
            MsgBox "Excel refused the cell " & cell.Address
            Exit Sub
        End If
        ' Excel sends a cell's text followed by CR LF; the copy goes in without them.
        copied = link.ImportFromExcel(cell.Column, cell.Row, TargetSheet)
        If Right(copied, 2) = vbCrLf Then copied = Left(copied, Len(copied) - 2)
        cell.Offset(0, 1).Value = copied
    Next cell
End Sub
