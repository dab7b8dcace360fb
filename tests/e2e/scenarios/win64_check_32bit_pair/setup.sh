#!/usr/bin/env bash
# A 64-bit WPS installed per user (its office6\wps.exe a 64-bit program)
# holding byte-exact copies of MathType's 32-bit pair, which it cannot
# load; MathType, below Program Files (x86), has both pairs.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' --mathtype-64-pair \
  --wps-folders --wps-user-entry --wps-program-64 --embedded 12.1.0.28505 --embedded-pair 32
scenario_snapshot
