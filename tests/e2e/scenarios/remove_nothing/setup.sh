#!/usr/bin/env bash
# WPS without the panel, with a template of the user's own in its
# start-up folder.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry \
  --wps-file '12.1.0.28505\office6\startup\MyMacros.dotm'
