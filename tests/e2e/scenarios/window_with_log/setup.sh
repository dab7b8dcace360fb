#!/usr/bin/env bash
# MathType and WPS for all users; the window, and a log beside it.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry
