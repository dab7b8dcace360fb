#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../tests/e2e/lib/demo_machine.sh"
