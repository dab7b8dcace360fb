#!/usr/bin/env bash
# The add-in in office6 cannot be deleted. Wine runs as root, so the file
# is made immutable; Wine's DeleteFile then reports success and keeps it.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_immutable "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6/MathPage.wll"
