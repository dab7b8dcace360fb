#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/demo_machine.sh"
