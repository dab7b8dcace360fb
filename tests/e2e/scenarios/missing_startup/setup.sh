#!/usr/bin/env bash
# The WPS version folder holds office6 but no office6\startup: nothing is
# placed, office6\MathPage.wll included.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
user_dir=$(dirname "$PELMORA_DESKTOP")
rmdir "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6/startup"
scenario_snapshot
