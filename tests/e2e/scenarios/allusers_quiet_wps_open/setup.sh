#!/usr/bin/env bash
# Alice's spreadsheet open in her WPS while every WPS gets the panel.
source "$PELMORA_SCENARIO_DIR/../../lib/accounts_machine.sh"
accounts_machine
scenario_program_open "$WINEPREFIX/drive_c/users/alice/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6" \
  et.exe 'C:\pelmora-wps-open'
