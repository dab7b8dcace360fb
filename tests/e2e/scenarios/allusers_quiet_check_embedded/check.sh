#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/check_log.sh"
