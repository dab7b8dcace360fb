#!/usr/bin/env bash
# A lab machine: MathType and WPS for all users, nobody at the screen.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry
