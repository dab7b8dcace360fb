#!/usr/bin/env bash
# MathType and WPS as in desktop_ok, and a template of the user's own in
# WPS's start-up folder that the removal must leave alone.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" \
  --wps-file '12.1.0.28505\office6\startup\MyMacros.dotm'
