#!/usr/bin/env bash
# Every WPS holds the pair of its own bitness.
source "$PELMORA_SCENARIO_DIR/../../lib/accounts_machine.sh"
accounts_machine --embedded 12.1.0.28505 --embedded-pair 32 \
  --account-embedded "$ALICE:32" --account-embedded "$BOB:64" --account-embedded "$CAROL:32"
