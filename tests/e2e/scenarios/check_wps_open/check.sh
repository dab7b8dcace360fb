#!/usr/bin/env bash
# The flag that kept the stand-in WPS running is the script's to delete.
CHECK_UNCHANGED_EXCEPT=pelmora-wps-open
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
check_unchanged
