#!/usr/bin/env bash
# An earlier embedding's copies in all three places, and WPS holding
# office6\MathPage.wll open: it cannot be replaced, so none is.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" --embedded 12.1.0.28505
scenario_snapshot
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_background hold_file.exe "C:\\users\\$(basename "$user_dir")\\AppData\\Local\\Kingsoft\\WPS Office\\12.1.0.28505\\office6\\MathPage.wll" 120
