#!/usr/bin/env bash
CHECK_MATHTYPE='C:\Program Files (x86)\MathType'
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
