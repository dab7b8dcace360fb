#!/usr/bin/env bash
# The panel in every WPS, and alice's spreadsheet open in her WPS.
source "$PELMORA_SCENARIO_DIR/../allusers_quiet_check_embedded/setup.sh"
scenario_program_open "$WINEPREFIX/drive_c/users/alice/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6" \
  et.exe 'C:\pelmora-wps-open'
