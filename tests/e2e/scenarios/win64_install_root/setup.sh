#!/usr/bin/env bash
# Only InstallRoot (per user) tells where WPS is: no uninstall entry, no
# shortcut.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' \
  --wps-folders --install-root user --background 267
