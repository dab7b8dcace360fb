#!/usr/bin/env bash
# An update kept the old version folder: 11.1.0.9999 is listed after
# 11.1.0.10000, which is the newer one.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' \
  --wps-folders --wps-version 11.1.0.9999 --wps-version 11.1.0.10000 \
  --shortcut "WPS Office.lnk=wps"
