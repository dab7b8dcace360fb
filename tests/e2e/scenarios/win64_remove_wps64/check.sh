#!/usr/bin/env bash
CHECK_WPS_ROOT='C:\Program Files\Kingsoft\WPS Office'
CHECK_MATHTYPE='C:\Program Files (x86)\MathType'
source "$PELMORA_SCENARIO_DIR/../../lib/check_removal.sh"
