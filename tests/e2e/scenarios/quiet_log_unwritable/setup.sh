#!/usr/bin/env bash
# The log's folder does not exist, and folders are not created: nothing
# is done.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry
scenario_snapshot
