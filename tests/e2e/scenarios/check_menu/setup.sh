#!/usr/bin/env bash
# MathType and WPS as in desktop_ok; the machine as it is before the run.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
scenario_snapshot
