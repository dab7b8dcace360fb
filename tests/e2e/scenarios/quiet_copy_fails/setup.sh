#!/usr/bin/env bash
# destination_locked's machine, run unattended: nothing is placed, the
# earlier copies stay as they were.
source "$PELMORA_SCENARIO_DIR/../destination_locked/setup.sh"
