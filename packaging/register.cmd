@echo off
rem Registers Sheetpush.exe, which lies beside this file, for every user of this computer.
rem Registration writes to HKEY_LOCAL_MACHINE: run it from a command prompt opened as
rem administrator. Register again after moving the folder.
"%~dp0Sheetpush.exe" /RegServer
if errorlevel 1 (
    echo Sheetpush could not be registered. Is this prompt running as administrator?
    exit /b 1
)
echo Sheetpush.ExcelLinke and Sheetpush.ExcelTable are registered.
