#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
check_unchanged
