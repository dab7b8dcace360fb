#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_restore
source "$PELMORA_SCENARIO_DIR/../../lib/check_removal.sh"
