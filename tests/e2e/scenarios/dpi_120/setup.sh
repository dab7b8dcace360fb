#!/usr/bin/env bash
# The display at 125 %, then desktop_ok's machine.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" --background 267
