#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_background hold_file.exe "C:\\users\\$(basename "$user_dir")\\AppData\\Local\\Kingsoft\\WPS Office\\12.1.0.28505\\office6\\startup\\MathPage.wll" 120
