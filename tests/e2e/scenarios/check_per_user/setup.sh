#!/usr/bin/env bash
# WPS's uninstall entry under HKEY_CURRENT_USER only, no copies of the
# panel anywhere.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-user-entry
scenario_snapshot
