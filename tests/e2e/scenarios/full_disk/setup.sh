#!/usr/bin/env bash
# The program lives on drive P:, a 1 MiB disk with 8 KiB left: the carried
# installer does not fit.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
disk=$(scenario_small_drive p 1m)
mkdir -p "$disk/Pelmora"
cp "$PELMORA_INSTALL_DIR/pelmora.exe" "$disk/Pelmora/pelmora.exe"
rm -f "$PELMORA_INSTALL_DIR/pelmora.exe"
scenario_fill_disk "$disk" 8
df -k "$disk"
