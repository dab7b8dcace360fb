#!/usr/bin/env bash
# MathType was uninstalled (no entry, no folder); the panel it left in WPS
# is still there. WPS is found through the desktop shortcut.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --wps-folders --shortcut "WPS Office.lnk=wps" --embedded 12.1.0.28505
scenario_snapshot
