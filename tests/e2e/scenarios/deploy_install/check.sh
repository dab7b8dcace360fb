#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/deploy.sh"
deploy_check
# What detect.ps1 asks the copy.
wine 'C:\Program Files (x86)\Pelmora\pelmora.exe' /check /quiet /allusers >/dev/null 2>&1
echo "copy /check /quiet /allusers: exit $?"
wineserver -w
