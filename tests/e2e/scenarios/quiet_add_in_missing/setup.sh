#!/usr/bin/env bash
# add_in_missing's machine, run unattended: MathType lacks the add-in of
# the pair WPS needs, so nothing is placed and the code says MathType.
source "$PELMORA_SCENARIO_DIR/../add_in_missing/setup.sh"
