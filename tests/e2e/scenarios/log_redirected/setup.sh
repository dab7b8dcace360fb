#!/usr/bin/env bash
# The log's name was made a link to a file of the system's: the run does
# nothing, and that file is not touched.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry
mkdir -p "$WINEPREFIX/drive_c/windows-owned"
printf 'a file only the system may change' >"$WINEPREFIX/drive_c/windows-owned/settings.ini"
ln -s "$WINEPREFIX/drive_c/windows-owned/settings.ini" "$PELMORA_INSTALL_DIR/pelmora.log"
scenario_snapshot
