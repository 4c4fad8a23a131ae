// The smallest client in JScript: one cell written and read back. Run it with
// "cscript //nologo hello.js" while Excel has a workbook with a sheet named Sheet1 open.
var link = new ActiveXObject("Sheetpush.ExcelLinke");
try {
    // Column 2, row 3: cell B3. False when Excel did not take the text.
    var written = link.Sheetpush("Hello from Sheetpush", 2, 3, "Sheet1");
    // The cell's text as Excel sends it, ending in CR LF; an empty text when the read failed.
    var value = link.ImportFromExcel(2, 3, "Sheet1").replace(/\r\n$/, "");
    WScript.Echo("Written: " + written + ", read back: " + value);
} catch (e) {
    // An automation error: its number is the low word of e.number (94 for a Null argument).
    WScript.Echo("Error " + (e.number & 0xFFFF) + ": " + e.description);
}
// Let go of the server, so that it can end once nobody else uses it.
link = null;
