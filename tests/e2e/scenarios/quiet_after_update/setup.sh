#!/usr/bin/env bash
# WPS updated itself into 12.1.0.28505 and left the panel behind in
# 11.1.0.9584: the next run places it into the new version folder.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-version 11.1.0.9584 --wps-version 12.1.0.28505 \
  --wps-entry --embedded 11.1.0.9584 --embedded-pair 32
