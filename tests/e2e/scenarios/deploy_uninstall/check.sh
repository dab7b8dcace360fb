#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/deploy.sh"
deploy_check
