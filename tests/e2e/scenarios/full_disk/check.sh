#!/usr/bin/env bash
# No partial vba.exe may be left on the full disk.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
PELMORA_INSTALL_DIR="$(dirname "$WINEPREFIX")/drive_p/Pelmora"
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
ls "$PELMORA_INSTALL_DIR" | sed 's/^/left /'
scenario_restore
