#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/check_hives.sh"
check_loaded_hives
