#!/usr/bin/env bash
# The 64-bit WPS: registered in the 64-bit view only, below Program Files,
# its office6\wps.exe a 64-bit program (the prefix's own notepad.exe).
# MathType has both pairs, with different content.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' --mathtype-64-pair \
  --wps-folders --wps-root 'C:\Program Files\Kingsoft\WPS Office' --wps-entry-64 --wps-program-64 \
  --background 267
