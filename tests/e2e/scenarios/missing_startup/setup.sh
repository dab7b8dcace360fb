#!/usr/bin/env bash
# The WPS version folder holds office6 but no office6\startup.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
user_dir=$(dirname "$PELMORA_DESKTOP")
rmdir "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6/startup"
