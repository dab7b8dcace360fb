#!/usr/bin/env bash
# deploy_install's machine, after deploy\install.cmd has run on it.
source "$PELMORA_SCENARIO_DIR/../../lib/deploy.sh"
deploy_machine
wine cmd /c 'C:\Package\deploy\install.cmd'
