#!/usr/bin/env bash
# An earlier embedding, and office6\MathPage.wll held open: nothing is
# placed, the earlier copies stay as they were.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505
scenario_snapshot
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_background hold_file.exe "C:\\users\\$(basename "$user_dir")\\AppData\\Local\\Kingsoft\\WPS Office\\12.1.0.28505\\office6\\MathPage.wll" 120
