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

# The Windows form of a path inside the prefix's drive C.
scenario_windows_path() {
  local rest=${1#"$WINEPREFIX/drive_c/"}
  echo "C:\\${rest//\//\\}"
}

# A WPS program left open: tests/machine/stand_in_program.exe copied as
# NAME into the Unix folder FOLDER and started from there; it runs until
# the Windows file FLAG is deleted (the driver's delete-file).
scenario_program_open() {
  local folder=$1 name=$2 flag=$3
  cp "$PELMORA_WINDOWS_BUILD/tests/machine/stand_in_program.exe" "$folder/$name"
  local flag_rest=${flag#?:\\}
  : >"$WINEPREFIX/drive_c/${flag_rest//\\//}"
  wine "$(scenario_windows_path "$folder")\\$name" "$flag" >/dev/null 2>&1 &
  sleep 2
}

# Hostile machines. Wine runs as root here, and root ignores the Windows
# read-only attribute and Unix permissions alike, so what must really refuse
# writes is made immutable (chattr +i) or lives on a small mounted disk.
# Every such change is written to an undo list that check.sh plays back
# with scenario_restore; until then the prefix cannot be deleted.
scenario_undo_list() { echo "$(dirname "$WINEPREFIX")/restore.list"; }

# Makes files or folders refuse every change, even by root: a read-only
# file cannot be replaced, a read-only folder takes no new files.
scenario_immutable() {
  local path
  for path in "$@"; do
    if ! chattr +i "$path" 2>/dev/null; then
      echo "skipped: this file system cannot make $path immutable (chattr +i)"
      exit 77
    fi
    printf 'chattr\t%s\n' "$path" >>"$(scenario_undo_list)"
  done
}

# Mounts a tmpfs of SIZE (e.g. 1m) and maps it as Wine drive LETTER; echoes
# the mount's Unix path.
scenario_small_drive() {
  local letter=$1 size=$2
  local dir
  dir="$(dirname "$WINEPREFIX")/drive_$letter"
  mkdir -p "$dir"
  if ! mount -t tmpfs -o "size=$size" "pelmora_$letter" "$dir" 2>/dev/null; then
    echo "skipped: this machine does not allow mounting a small file system"
    exit 77
  fi
  printf 'umount\t%s\n' "$dir" >>"$(scenario_undo_list)"
  ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
  echo "$dir"
}

# Fills the file system that holds FOLDER until only FREE_KIB KiB are left.
scenario_fill_disk() {
  local folder=$1 free_kib=$2
  dd if=/dev/zero of="$folder/.reserve" bs=1024 count="$free_kib" status=none
  dd if=/dev/zero of="$folder/.filler" bs=4096 status=none 2>/dev/null || true
  rm -f "$folder/.reserve"
}

# Undoes what the two helpers above did, newest first.
scenario_restore() {
  local list kind path
  list=$(scenario_undo_list)
  [ -f "$list" ] || return 0
  tac "$list" | while IFS=$'\t' read -r kind path; do
    case $kind in
      chattr) chattr -i "$path" ;;
      umount) umount "$path" || umount -l "$path" ;;
    esac
  done
  rm -f "$list"
}
