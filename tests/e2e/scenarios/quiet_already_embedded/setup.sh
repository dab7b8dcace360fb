#!/usr/bin/env bash
# The panel in place, byte for byte: the run at every start-up finds
# nothing to do.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505 --embedded-pair 32
scenario_snapshot
