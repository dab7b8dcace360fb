# Shared by the scripts that run Windows programs under Wine. Source it.
#
# Every prefix is a copy of a pristine template with its own HOME, because
# Wine links the desktop folder into $HOME. There are two templates: the
# 32-bit Windows every test uses by default, and a 64-bit one (WINEARCH
# win64) where the 32-bit program runs under WOW64, as on most users'
# machines. Each is built once, under its own lock.

PELMORA_ROOT=${PELMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
PELMORA_WINE_ROOT=${PELMORA_WINE_ROOT:-$PELMORA_ROOT/build/wine}
PELMORA_LOCALES=$PELMORA_WINE_ROOT/locales
PELMORA_TEMPLATE=$PELMORA_WINE_ROOT/template
PELMORA_TEMPLATE64=$PELMORA_WINE_ROOT/template64

export WINEARCH=${WINEARCH:-win32}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
export LOCPATH=$PELMORA_LOCALES

# Which loader starts Windows programs: the 32-bit product's test programs
# go through Debian's `wine` (its 32-bit loader, which hands 64-bit programs
# on to wine64), the 64-bit twin's through wine64 itself, since the wrapper
# always takes the 32-bit loader when it is installed and some kernels
# refuse that one. PELMORA_WINE_BITS=64 picks the twin's loader; the test
# build's CMake sets it for its own tests.
# PELMORA_WINE names the loader for commands that start it themselves
# (timeout), which cannot call the shell function.
pelmora_use_wine_bits() {
  export PELMORA_WINE_BITS=$1
  PELMORA_WINE=wine
  if [ "$1" = 64 ]; then
    PELMORA_WINE=/usr/lib/wine/wine64
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    wine() { /usr/lib/wine/wine64 "$@"; }
    wineboot() { /usr/lib/wine/wine64 wineboot "$@"; }
    winepath() { /usr/lib/wine/wine64 winepath "$@"; }
    wineserver() { /usr/lib/wine/wineserver64 "$@"; }
  fi
}
pelmora_use_wine_bits "${PELMORA_WINE_BITS:-32}"

# Whether this machine can run the programs of a build of the given bitness
# ($1, default 32) under Wine. Some virtual machines' kernels refuse every
# i386 program ("Exec format error"), and with it Wine's 32-bit loader; the
# 64-bit loader still runs there. Prints the reason and returns 1 when not.
pelmora_wine_runs() {
  local bits=${1:-32} loader=/usr/lib/wine/wine reason
  [ "$bits" = 64 ] && loader=/usr/lib/wine/wine64
  if reason=$("$loader" --version 2>&1); then return 0; fi
  if [ "$bits" = 64 ]; then
    echo "Wine's 64-bit loader does not run here ($reason)"
  else
    echo "this machine's kernel does not run 32-bit programs, which Wine's 32-bit loader needs ($reason)"
  fi
  return 1
}

# The build whose programs run here, for the demo and the benchmarks: the
# 32-bit product where the kernel runs i386 programs, else its 64-bit twin,
# whose loader it then selects. Echoes the preset's name; prints both
# reasons and returns 1 when neither runs.
pelmora_runnable_preset() {
  local reason32 reason64
  if reason32=$(pelmora_wine_runs 32); then echo windows; return 0; fi
  if reason64=$(pelmora_wine_runs 64); then echo windows64; return 0; fi
  echo "no Windows program can run here: $reason32; $reason64" >&2
  return 1
}

# Code page 936 needs a real zh_CN locale, or Wine cannot see Chinese file
# names; en_US gives code page 1252, a Windows whose ANSI page is not 936.
pelmora_locales() {
  mkdir -p "$PELMORA_LOCALES"
  [ -d "$PELMORA_LOCALES/zh_CN.UTF-8" ] || localedef -i zh_CN -f UTF-8 "$PELMORA_LOCALES/zh_CN.UTF-8" 2>/dev/null || true
  [ -d "$PELMORA_LOCALES/en_US.UTF-8" ] || localedef -i en_US -f UTF-8 "$PELMORA_LOCALES/en_US.UTF-8" 2>/dev/null || true
}

# The template folder of an architecture: win32 (the default) or win64.
pelmora_template_dir() {
  case ${1:-win32} in
    win32) echo "$PELMORA_TEMPLATE" ;;
    win64) echo "$PELMORA_TEMPLATE64" ;;
    *) echo "unknown Wine architecture: $1" >&2; return 1 ;;
  esac
}

# Builds the template of the architecture ($1, default win32) once, under a
# lock so parallel callers wait for it.
pelmora_template() {
  local arch=${1:-win32} template
  template=$(pelmora_template_dir "$arch") || return 1
  pelmora_locales
  mkdir -p "$PELMORA_WINE_ROOT"
  (
    flock 9
    [ -f "$template/.ready" ] && exit 0
    rm -rf "$template"
    mkdir -p "$template/home"
    export WINEARCH=$arch WINEPREFIX=$template/prefix HOME=$template/home LC_ALL=zh_CN.UTF-8
    # A template Wine could not boot must not be marked ready. wineboot
    # returns before the server has written the registry files: wait for
    # the server before looking for them.
    local booted=1
    wineboot -i >/dev/null 2>&1 || booted=0
    wineserver -w
    if [ $booted = 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wineboot could not make the $arch template" >&2
      exit 1
    fi
    # No window manager: without Managed=N Wine waits 2 s on every hidden
    # window. A crash must end the process instead of opening a dialog.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    # Window frames draw their caption buttons with Marlett; a prefix that
    # misses it shows the letters "0 1 r" instead. Keep a copy in the
    # prefix's own font folder, where Wine always looks.
    local font
    for font in /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/wine/marlett.ttf; do
      if [ -f "$font" ]; then cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"; break; fi
    done
    local user_dir
    for user_dir in "$WINEPREFIX"/drive_c/users/*; do
      [ "$(basename "$user_dir")" = Public ] && continue
      for f in Desktop Documents Downloads Music Pictures Videos Templates; do
        if [ -L "$user_dir/$f" ]; then rm "$user_dir/$f"; mkdir "$user_dir/$f"; fi
      done
    done
    touch "$template/.ready"
  ) 9>"$PELMORA_WINE_ROOT/.$(basename "$template").lock"
}

# Makes a fresh prefix at $1 from the template of the architecture $2
# (default win32, or win64 for the 64-bit twin, which runs nowhere else;
# Wine's files hard-linked, the registry copied) and exports WINEPREFIX,
# HOME and WINEARCH for it.
pelmora_prefix() {
  local default_arch=win32
  [ "$PELMORA_WINE_BITS" = 64 ] && default_arch=win64
  local dir=$1 arch=${2:-$default_arch} template
  template=$(pelmora_template_dir "$arch") || return 1
  pelmora_template "$arch" || return 1
  rm -rf "$dir"
  mkdir -p "$dir/home"
  cp -al "$template/prefix" "$dir/prefix"
  local reg
  for reg in "$dir"/prefix/*.reg; do
    cp --remove-destination "$template/prefix/$(basename "$reg")" "$reg"
  done
  export WINEPREFIX=$dir/prefix HOME=$dir/home WINEARCH=$arch
}

# The desktop folder of the prefix as a Unix path.
pelmora_desktop() {
  local user_dir
  for user_dir in "$WINEPREFIX"/drive_c/users/*; do
    [ "$(basename "$user_dir")" = Public ] && continue
    echo "$user_dir/Desktop"
    return
  done
}

# Starts an X server on a free display and exports DISPLAY; the pid goes to
# PELMORA_XVFB_PID for pelmora_stop_xvfb.
pelmora_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    PELMORA_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      sleep 0.1
    done
    kill "$PELMORA_XVFB_PID" 2>/dev/null
  done
  echo "no free X display" >&2
  return 1
}

pelmora_stop_xvfb() {
  [ -n "${PELMORA_XVFB_PID:-}" ] && kill "$PELMORA_XVFB_PID" 2>/dev/null
  PELMORA_XVFB_PID=
}

# Wine's own tools (regedit, reg) of the prefix's bitness. In a 64-bit
# prefix Debian's wrapper starts the 32-bit regedit, whose
# HKEY_LOCAL_MACHINE\SOFTWARE is the 32-bit view: a 64-bit program's keys
# would land in Wow6432Node.
pelmora_prefix_tool() {
  if [ "${WINEARCH:-win32}" = win64 ]; then
    WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"
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
# for the options; --win64 is added in a 64-bit prefix). $1 is the windows build folder (for make_shortcut.exe),
# $2 a work folder; the rest goes to machine.py.
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
  wineserver -w
}
