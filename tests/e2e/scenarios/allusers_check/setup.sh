#!/usr/bin/env bash
# Every WPS in another state: the machine's embedded, alice's not, bob's
# 64-bit WPS holding the 32-bit pair, carol's not.
source "$PELMORA_SCENARIO_DIR/../../lib/accounts_machine.sh"
accounts_machine --embedded 12.1.0.28505 --embedded-pair 32 --account-embedded "$BOB:32"
