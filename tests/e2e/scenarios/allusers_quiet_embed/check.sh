#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/check_log.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/check_hives.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/check_accounts.sh"
check_every_wps
check_loaded_hives
