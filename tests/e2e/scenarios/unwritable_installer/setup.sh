#!/usr/bin/env bash
# The program's folder is read-only. Root ignores Unix permissions (and
# Windows' read-only attribute on folders never stopped new files), so the
# folder is made immutable: creating vba.exe in it fails with access denied.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
scenario_immutable "$PELMORA_INSTALL_DIR"
