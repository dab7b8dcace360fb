#!/usr/bin/env bash
# 5,000 files on the desktop and a WPS shortcut whose target was deleted
# afterwards; the version folders remain.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" --desktop-files 5000
user_dir=$(dirname "$PELMORA_DESKTOP")
rm "$user_dir/AppData/Local/Kingsoft/WPS Office/ksolaunch.exe"
