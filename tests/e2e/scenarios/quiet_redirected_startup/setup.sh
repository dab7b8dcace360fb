#!/usr/bin/env bash
# redirected_startup's machine, run unattended.
source "$PELMORA_SCENARIO_DIR/../redirected_startup/setup.sh"
