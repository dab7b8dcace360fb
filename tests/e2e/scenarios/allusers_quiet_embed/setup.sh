#!/usr/bin/env bash
# Every WPS of the machine and its accounts, embedded by one quiet run.
source "$PELMORA_SCENARIO_DIR/../../lib/accounts_machine.sh"
accounts_machine
