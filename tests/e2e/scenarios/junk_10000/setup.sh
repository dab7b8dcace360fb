#!/usr/bin/env bash
# 10,000 uninstall entries: 5,000 ordinary ones and 5,000 kinds of junk
# (see add_junk in tests/machine/machine.py), with the real MathType entry
# and a machine-wide WPS entry among them. regedit refuses the 500 names of
# 300 characters (Wine takes at most 256) and imports everything else.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry --background 5000 --junk 5000
