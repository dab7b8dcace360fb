# Sourced by the workflow scenarios' setup.sh: builds the scenario's machine
# with tests/machine/machine.py options.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-common.sh"

scenario_machine() {
  local work
  work=$(mktemp -d)
  pelmora_machine "$PELMORA_WINDOWS_BUILD" "$work" "$@"
  rm -rf "$work"
}

# Starts a Windows program of the test build in the prefix and leaves it
# running (for files held open during the run).
scenario_background() {
  local exe=$1
  shift
  wine "$PELMORA_WINDOWS_BUILD/tests/machine/$exe" "$@" >/dev/null 2>&1 &
  sleep 2
}
