#!/usr/bin/env bash
CHECK_MATHTYPE='C:\Program Files (x86)\MathType'
# The 32-bit pair for the product, the 64-bit one for its 64-bit twin.
CHECK_PAIR=build
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
