#!/usr/bin/env bash
# MathType without MathPage\32\MathPage.wll: its template is not placed
# alone.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
rm "$WINEPREFIX/drive_c/Program Files/MathType/MathPage/32/MathPage.wll"
scenario_snapshot
