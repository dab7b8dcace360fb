#!/usr/bin/env bash
# An update kept the older version folder, and both carry the panel.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-version 11.1.0.9584 --wps-version 12.1.0.28505 \
  --wps-entry --embedded 11.1.0.9584 --embedded 12.1.0.28505
