#!/usr/bin/env bash
# WPS left open: a stand-in wps.exe runs from the version folder's office6
# until the script deletes C:\pelmora-wps-open. The stand-in has the
# bitness of the build under test, and so decides the pair: MathType has
# both, with different content.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --mathtype-folder 'C:\Program Files (x86)\MathType' \
  --mathtype-64-pair --wps-folders --shortcut "WPS Office.lnk=wps"
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_program_open "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6" wps.exe \
  'C:\pelmora-wps-open'
