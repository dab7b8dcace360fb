#!/usr/bin/env bash
# 64-bit Windows: the program and MathType under Program Files (x86),
# MathType's entry in the 32-bit view; WPS per user, found by its shortcut.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' \
  --wps-folders --shortcut "WPS Office.lnk=wps" --background 267
