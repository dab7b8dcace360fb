#!/usr/bin/env bash
# The usual machine, and a program planted at C:\Tools\My.exe that leaves a
# mark if it is ever started.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
cp "$PELMORA_WINDOWS_BUILD/tests/machine/planted.exe" "$WINEPREFIX/drive_c/Tools/My.exe"
