# Writing into a prefix's registry, and the scripted machines built on it.

# Wine's own tools (regedit, reg) of the prefix's bitness. In a 64-bit
# prefix Debian's wrapper starts the 32-bit regedit, whose
# HKEY_LOCAL_MACHINE\SOFTWARE is the 32-bit view: a 64-bit program's keys
# would land in Wow6432Node.
pelmora_prefix_tool() {
  if [ "${WINEARCH:-win32}" = win64 ]; then
    WINELOADER=$PELMORA_WINE_LOADER_64 "$PELMORA_WINE_LOADER_64" "$@"
  else
    wine "$@"
  fi
}
pelmora_regedit() { pelmora_prefix_tool regedit "$@"; }

# Imports a .reg file ($1, a Unix path) into the prefix. regedit reports
# nothing when an import is lost, and a scenario would then run on a
# machine without its products: the first key must read back, else the
# import is tried once more before it fails with a message.
pelmora_import_reg() {
  local file=$1 windows_file first_key attempt
  windows_file=$(winepath -w "$file" 2>/dev/null)
  if [ -z "$windows_file" ]; then
    echo "pelmora_import_reg: no Windows path for $file" >&2
    return 1
  fi
  # awk reads to the end: a reader that stopped early would end the
  # pipeline with SIGPIPE, which a caller under pipefail takes as failure.
  first_key=$(iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' |
    awk '!found && /^\[[^-].*\]$/ { print substr($0, 2, length($0) - 2); found = 1 }')
  for attempt in 1 2; do
    if ! pelmora_regedit /S "$windows_file" >/dev/null 2>&1; then
      echo "pelmora_import_reg: regedit refused $file" >&2
      return 1
    fi
    [ -z "$first_key" ] && return 0
    pelmora_prefix_tool reg query "$first_key" >/dev/null 2>&1 && return 0
    echo "pelmora_import_reg: $first_key is missing after import $attempt of $file" >&2
  done
  return 1
}

# Builds a scripted machine in the current prefix (see tests/machine/machine.py
# for the options; --win64 is added in a 64-bit prefix). $1 is the windows
# build folder (for make_shortcut.exe and make_hive.exe), $2 a work folder;
# the rest goes to machine.py. A machine with other accounts leaves the
# prefix's server running (see pelmora_hold_hives).
pelmora_machine() {
  local build=$1 work=$2
  shift 2
  # The registry's layout follows the prefix: see machine.py.
  [ "${WINEARCH:-win32}" = win64 ] && set -- --win64 "$@"
  python3 "$PELMORA_ROOT/tests/machine/machine.py" --prefix "$WINEPREFIX" --out "$work" "$@" >/dev/null || return 1
  pelmora_import_reg "$work/machine.reg" || return 1
  local args=()
  local link target
  while IFS=$'\t' read -r link target; do
    args+=("$link" "$target")
  done <"$work/shortcuts.txt"
  if [ ${#args[@]} -gt 0 ]; then
    wine "$build/tests/machine/make_shortcut.exe" "${args[@]}" >/dev/null 2>&1 || return 1
  fi
  local key_list hive
  while IFS=$'\t' read -r key_list hive; do
    if ! wine "$build/tests/machine/make_hive.exe" save "$key_list" "$hive" >/dev/null 2>&1; then
      echo "pelmora_machine: make_hive could not write $hive" >&2
      return 1
    fi
  done <"$work/hives.txt"
  wineserver -w
  [ -s "$work/hives.txt" ] && { pelmora_hold_hives "$build" "$work/logged_on.txt" || return 1; }
  return 0
}

# A hive loaded below HKEY_USERS lives in the prefix's server only, and so
# does one that a program left loaded: the server is kept running (for up
# to 5 minutes without a Wine process, a scenario's whole time) so that
# the logged-on users' hives ($2: SID, NTUSER.DAT lines), loaded here, are
# there when the program runs, and whatever it left loaded is still there
# to be listed when it has ended (run_scenario's LIST_HIVES_AFTER_RUN).
pelmora_hold_hives() {
  local build=$1 logged_on=$2 sid hive
  wineserver -p 300
  while IFS=$'\t' read -r sid hive; do
    if ! wine "$build/tests/machine/make_hive.exe" load "$sid" "$hive" >/dev/null 2>&1; then
      echo "pelmora_machine: make_hive could not load $hive as $sid" >&2
      return 1
    fi
  done <"$logged_on"
}
