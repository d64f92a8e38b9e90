@echo off
rem Sets up the Lintora data source on this workstation without a window, for a start-up script
rem or a software-distribution job (which may run it as the system account, with no desktop).
rem
rem   Lintora-deploy.cmd DSN SERVER PASSWORD REPORT-FOLDER
rem
rem Lintora.exe is looked for beside this script. The other values (driver type, user, port ...)
rem come from Lintora.Ini beside the program or from an earlier run's settings, as for AUTO.
rem
rem Exit codes, in the installer terms distribution tools already understand:
rem      0  the data source is set up and its connection opened
rem   1627  the data source is set up, but its connection test failed (server down or
rem         unreachable, wrong password, no database of that name): worth a retry later
rem   1603  an error ended the run before the connection test: the log block names the step
rem   1619  Lintora.exe could not be started, or ended with a code it never gives
rem
rem The run's block of Lintora's log (Lintora.log in the Application Data folder of the account
rem the script runs as) is copied to REPORT-FOLDER\Lintora-COMPUTERNAME.log, so that the tool's
rem own report shows what happened.
setlocal EnableExtensions DisableDelayedExpansion

set "DSN=%~1"
set "SERVER=%~2"
set "PASSWORD=%~3"
set "REPORT_DIR=%~4"
if "%REPORT_DIR%"=="" set "REPORT_DIR=%TEMP%"
set "PROGRAM=%~dp0Lintora.exe"
set "LOG=%APPDATA%\Lintora\Lintora.log"
set "REPORT=%REPORT_DIR%\Lintora-%COMPUTERNAME%.log"

call :count_lines
set /a LINES_BEFORE=%LINES%

"%PROGRAM%" "%DSN%" "%SERVER%" "%PASSWORD%" SILENT
set /a RESULT=%ERRORLEVEL%

if not exist "%REPORT_DIR%\" mkdir "%REPORT_DIR%"
call :count_lines
rem No if-else blocks here: some cmd.exe versions run both branches of one holding a loop.
if %LINES% neq %LINES_BEFORE% call :copy_last_block
if %LINES% equ %LINES_BEFORE% >"%REPORT%" echo Lintora exit code %RESULT%: the run left no block in %LOG%

set /a INSTALLER_CODE=1619
if %RESULT% equ 0 set /a INSTALLER_CODE=0
if %RESULT% equ 1 set /a INSTALLER_CODE=1627
if %RESULT% equ 2 set /a INSTALLER_CODE=1603
echo Lintora exit code %RESULT%, installer code %INSTALLER_CODE%, log block in %REPORT%
exit /b %INSTALLER_CODE%

rem LINES: the log's line count; BLOCK_START: the number of its last block's first line, the only
rem line of a block that starts with "[" (the log never holds empty lines). Delayed expansion
rem stays off: a "!" in a server's message is read and copied as it is.
:count_lines
set /a LINES=0, BLOCK_START=0
if not exist "%LOG%" goto :eof
for /f "usebackq delims=" %%L in ("%LOG%") do (
  set "LINE=%%L"
  call :count_line
)
goto :eof

:count_line
set /a LINES+=1
if "%LINE:~0,1%"=="[" set /a BLOCK_START=LINES
goto :eof

rem Line by line into the report: the lines are echoed after the redirection is parsed, so that
rem none of their characters can redirect or chain a command.
:copy_last_block
type nul >"%REPORT%"
set /a SKIP=BLOCK_START-1
if %SKIP% leq 0 goto copy_whole_log
for /f "usebackq skip=%SKIP% delims=" %%L in ("%LOG%") do >>"%REPORT%" echo %%L
goto :eof
:copy_whole_log
for /f "usebackq delims=" %%L in ("%LOG%") do >>"%REPORT%" echo %%L
goto :eof
