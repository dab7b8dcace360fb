#!/usr/bin/env bash
# The files land in the newer version folder; the older one gets none.
user=$(basename "$(dirname "$PELMORA_DESKTOP")")
CHECK_MATHTYPE='C:\Program Files (x86)\MathType'
CHECK_WPS="C:\\users\\$user\\AppData\\Local\\Kingsoft\\WPS Office\\11.1.0.10000"
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
old="$(dirname "$PELMORA_DESKTOP")/AppData/Local/Kingsoft/WPS Office/11.1.0.9999/office6"
echo "files in 11.1.0.9999\\office6: $(find "$old" -type f | wc -l)"
