@echo off
rem Embeds the MathType panel into every WPS on this machine, unattended, for
rem a deployment tool running as SYSTEM (Intune, Configuration Manager, a
rem Group Policy start-up script). Run it from the unpacked release, where
rem pelmora.exe lies in the folder above this one.
rem
rem Intune deletes its copy of the package once the installation has ended,
rem so the program first goes to a fixed folder, where detect.ps1 and
rem uninstall.cmd find it again.
rem
rem Exit code: the program's own (0 embedded, 2 MathType missing, 3 no WPS,
rem 1603 a file failed, 1618 try again later), 1603 when the program could
rem not be put in place, 1622 when its log folder could not be made or
rem secured. Every failure of this script says so on standard error.
rem
rem Each step is checked on a line of its own, by its result on disk where
rem it has one: Wine's cmd, which the tests run this under, runs what
rem follows || and && whatever came before, and keeps ERRORLEVEL as it was
rem after a mkdir that worked.
setlocal EnableExtensions DisableDelayedExpansion

set "PROGRAM_ROOT=%ProgramFiles(x86)%"
if not defined ProgramFiles(x86) set "PROGRAM_ROOT=%ProgramFiles%"
set "PROGRAM_DIR=%PROGRAM_ROOT%\Pelmora"
set "PROGRAM=%PROGRAM_DIR%\pelmora.exe"
set "PACKAGED=%~dp0..\pelmora.exe"
set "LOG_DIR=%SystemRoot%\Logs\Pelmora"
set "LOG=%LOG_DIR%\pelmora.log"

rem SYSTEM appends to the log: a user who could write in its folder could
rem put a link there and have SYSTEM write wherever it points. Inherited
rem entries are dropped, so SYSTEM and the administrators are the only ones
rem left, also on a folder that was made before, by hand or by another script.
if not exist "%LOG_DIR%\" mkdir "%LOG_DIR%"
if not exist "%LOG_DIR%\" goto log_dir_missing
icacls "%LOG_DIR%" /inheritance:r /grant:r "*S-1-5-18:(OI)(CI)F" "*S-1-5-32-544:(OI)(CI)F" >nul
if errorlevel 1 goto log_dir_open

rem Program Files lets users read and run, not write: nobody but an
rem administrator can swap the program that SYSTEM runs from there.
if not exist "%PACKAGED%" goto package_missing
if not exist "%PROGRAM_DIR%\" mkdir "%PROGRAM_DIR%"
if not exist "%PROGRAM_DIR%\" goto copy_failed
copy /b /y "%PACKAGED%" "%PROGRAM%" >nul
if errorlevel 1 goto copy_failed

"%PROGRAM%" /quiet /allusers /log "%LOG%"
set "CODE=%ERRORLEVEL%"
echo Pelmora: embedding ended with exit code %CODE%, see "%LOG%"
exit /b %CODE%

:log_dir_missing
>&2 echo Pelmora: cannot create the log folder "%LOG_DIR%"
exit /b 1622

:log_dir_open
>&2 echo Pelmora: cannot limit "%LOG_DIR%" to SYSTEM and Administrators (icacls failed)
exit /b 1622

:package_missing
>&2 echo Pelmora: "%PACKAGED%" not found; run install.cmd from the unpacked release
exit /b 1603

:copy_failed
>&2 echo Pelmora: cannot copy pelmora.exe to "%PROGRAM_DIR%"; nothing was embedded
exit /b 1603
