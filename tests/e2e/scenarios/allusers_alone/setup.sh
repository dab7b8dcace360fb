#!/usr/bin/env bash
# A machine where the window could embed: /allusers alone must not open it.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_snapshot
