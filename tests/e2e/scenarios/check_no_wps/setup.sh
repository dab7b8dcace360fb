#!/usr/bin/env bash
# MathType only: no WPS entry, no InstallRoot, no shortcut on the desktop.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype
scenario_snapshot
