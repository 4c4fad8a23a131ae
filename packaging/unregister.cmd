@echo off
rem Removes the registration of Sheetpush.exe, which lies beside this file. Run it from a
rem command prompt opened as administrator, before deleting the folder.
"%~dp0Sheetpush.exe" /UnregServer
if errorlevel 1 (
    echo Sheetpush could not be unregistered. Is this prompt running as administrator?
    exit /b 1
)
echo Sheetpush.ExcelLinke and Sheetpush.ExcelTable are no longer registered.
