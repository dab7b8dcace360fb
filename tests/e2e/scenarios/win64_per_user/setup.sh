#!/usr/bin/env bash
# WPS as its personal edition installs it: the uninstall entry under
# HKEY_CURRENT_USER only, and no shortcut on the desktop.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' \
  --wps-folders --wps-user-entry --background 267
