#!/usr/bin/env bash
# The panel in every WPS, removed from all by one quiet run.
source "$PELMORA_SCENARIO_DIR/../allusers_quiet_check_embedded/setup.sh"
