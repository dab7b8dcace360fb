#!/usr/bin/env bash
# The demonstration machine: MathType 7 and WPS Office installed, among the
# uninstall entries of a real machine, and the WPS shortcut on the desktop.
source "$PELMORA_SCENARIO_DIR/../../tests/e2e/lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" --background 267
