#!/usr/bin/env bash
# A mistyped switch: the usage box, nothing done, 1639.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505
scenario_snapshot
