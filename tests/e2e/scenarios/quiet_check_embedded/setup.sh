#!/usr/bin/env bash
# The detection of an Intune app: the panel in place, byte for byte.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505 --embedded-pair 32
