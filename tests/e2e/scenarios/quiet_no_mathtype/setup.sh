#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --wps-folders --wps-entry --background 267
