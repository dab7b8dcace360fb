#!/usr/bin/env bash
# Only the embedding's three copies are new: the report itself changed
# nothing.
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
check_unchanged
