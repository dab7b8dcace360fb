#!/usr/bin/env bash
# The 64-bit pair must have landed, not the 32-bit one.
CHECK_MATHTYPE='C:\Program Files (x86)\MathType'
CHECK_WPS='C:\Program Files\Kingsoft\WPS Office\12.1.0.28505'
CHECK_PAIR=64
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
