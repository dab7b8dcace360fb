@echo off
rem Takes the MathType panel out of every WPS on this machine again,
rem unattended, and deletes the copy of the program that install.cmd left.
rem
rem Exit code: the removal's own (0 removed or nothing to remove, also when
rem no WPS is left on the machine; 1603 a file could not be deleted; 1618
rem try again later), 1603 when no program is found to run, 1622 when the
rem log folder could not be made or secured. Every failure of this script
rem says so on standard error.
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
set "LOG_DIR=%SystemRoot%\Logs\Pelmora"
set "LOG=%LOG_DIR%\pelmora.log"

rem The installed copy is the one to run; without it (deleted by hand, or
rem never installed) the package's own copy still takes the panel out.
set "RUN=%PROGRAM%"
if not exist "%RUN%" set "RUN=%~dp0..\pelmora.exe"
if not exist "%RUN%" goto program_missing

rem The same folder as install.cmd's, made and limited the same way.
if not exist "%LOG_DIR%\" mkdir "%LOG_DIR%"
if not exist "%LOG_DIR%\" goto log_dir_missing
icacls "%LOG_DIR%" /inheritance:r /grant:r "*S-1-5-18:(OI)(CI)F" "*S-1-5-32-544:(OI)(CI)F" >nul
if errorlevel 1 goto log_dir_open

"%RUN%" /remove /quiet /allusers /log "%LOG%"
set "CODE=%ERRORLEVEL%"
rem Without any WPS (removed before the panel was) nothing of the panel is
rem left to take out: a retry could never do better, so the copy goes too.
if "%CODE%"=="3" set "CODE=0"
rem After a failed removal the copy stays: the panel may still be in WPS,
rem detect.ps1 needs the copy to say so, and the retry (the tool's or an
rem administrator's) needs a program to run.
if not "%CODE%"=="0" goto removal_failed

if exist "%PROGRAM%" del /f /q "%PROGRAM%"
if exist "%PROGRAM%" >&2 echo Pelmora: the panel is removed, but "%PROGRAM%" could not be deleted
rem Only when empty: rd without /s leaves a folder that holds anything else.
if exist "%PROGRAM_DIR%\" rd "%PROGRAM_DIR%" 2>nul
echo Pelmora: removal ended with exit code 0, see "%LOG%"
exit /b 0

:removal_failed
>&2 echo Pelmora: removal ended with exit code %CODE%, see "%LOG%"; "%RUN%" is kept for a retry
exit /b %CODE%

:program_missing
>&2 echo Pelmora: neither "%PROGRAM%" nor the package's pelmora.exe was found
exit /b 1603

:log_dir_missing
>&2 echo Pelmora: cannot create the log folder "%LOG_DIR%"
exit /b 1622

:log_dir_open
>&2 echo Pelmora: cannot limit "%LOG_DIR%" to SYSTEM and Administrators (icacls failed)
exit /b 1622
