#!/usr/bin/env bash
# A standard user put a junction in place of WPS's start-up folder,
# leading to a folder of the system's. Wine cannot make one, but follows a
# Unix symbolic link silently and names its target as the folder's final
# path, as Windows does a junction's: such a link stands for it.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
office6="$(dirname "$PELMORA_DESKTOP")/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6"
elsewhere="$WINEPREFIX/drive_c/windows-owned"
mkdir -p "$elsewhere"
printf 'a file only the system may change' >"$elsewhere/settings.ini"
rmdir "$office6/startup"
ln -s "$elsewhere" "$office6/startup"
scenario_snapshot
