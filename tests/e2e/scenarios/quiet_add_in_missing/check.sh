#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/check_log.sh"
# Only the log is new.
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
check_unchanged
