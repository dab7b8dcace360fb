#!/usr/bin/env bash
# The display at 150 %, then the happy path's machine with a template of
# the user's own in WPS's start-up folder that the removal must leave.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" \
  --wps-file '12.1.0.28505\office6\startup\MyMacros.dotm'
