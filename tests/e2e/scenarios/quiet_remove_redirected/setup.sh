#!/usr/bin/env bash
# WPS's start-up folder replaced by a link to a folder that holds files of
# the panel's names: the removal deletes none of them, and takes away the
# add-in in office6, which is WPS's own folder.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505
office6="$(dirname "$PELMORA_DESKTOP")/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6"
elsewhere="$WINEPREFIX/drive_c/windows-owned"
mv "$office6/startup" "$elsewhere"
ln -s "$elsewhere" "$office6/startup"
