#!/usr/bin/env bash
# The 64-bit WPS, registered in the 64-bit view only, below Program Files,
# its office6\wps.exe a 64-bit program (the prefix's own notepad.exe); an
# update kept 12.1.0.16412 beside 12.1.0.28505, and both carry the panel.
# MathType, below Program Files (x86) with both pairs, must stay untouched.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' --mathtype-64-pair \
  --wps-folders --wps-root 'C:\Program Files\Kingsoft\WPS Office' \
  --wps-version 12.1.0.16412 --wps-version 12.1.0.28505 --wps-entry-64 --wps-program-64 \
  --embedded 12.1.0.16412 --embedded 12.1.0.28505 --background 267
