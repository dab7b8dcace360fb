#!/usr/bin/env bash
# A stale vba.exe of other content, larger than the payload, beside the
# program.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
head -c 300000 /dev/urandom >"$PELMORA_INSTALL_DIR/vba.exe"
