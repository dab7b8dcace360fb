# Shared by the scripts that run Windows programs under Wine. Source it.
#
# Every prefix is a copy of one pristine 32-bit template with its own HOME,
# because Wine links the desktop folder into $HOME.

PELMORA_ROOT=${PELMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
PELMORA_WINE_ROOT=${PELMORA_WINE_ROOT:-$PELMORA_ROOT/build/wine}
PELMORA_LOCALES=$PELMORA_WINE_ROOT/locales
PELMORA_TEMPLATE=$PELMORA_WINE_ROOT/template

export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
export LOCPATH=$PELMORA_LOCALES

# Wine runs pelmora.exe with its 32-bit loader, which needs a kernel that
# runs i386 programs. Some virtual machines' kernels refuse them ("Exec
# format error"); there nothing can run under Wine. Prints the reason and
# returns 1 on such a machine.
pelmora_wine_runs() {
  local reason
  if reason=$(/usr/lib/wine/wine --version 2>&1); then return 0; fi
  echo "this machine's kernel does not run 32-bit programs, which Wine needs for pelmora.exe ($reason)"
  return 1
}

# Code page 936 needs a real zh_CN locale, or Wine cannot see Chinese file
# names; en_US gives code page 1252, a Windows whose ANSI page is not 936.
pelmora_locales() {
  mkdir -p "$PELMORA_LOCALES"
  [ -d "$PELMORA_LOCALES/zh_CN.UTF-8" ] || localedef -i zh_CN -f UTF-8 "$PELMORA_LOCALES/zh_CN.UTF-8" 2>/dev/null || true
  [ -d "$PELMORA_LOCALES/en_US.UTF-8" ] || localedef -i en_US -f UTF-8 "$PELMORA_LOCALES/en_US.UTF-8" 2>/dev/null || true
}

# Builds the template once, under a lock so parallel callers wait for it.
pelmora_template() {
  pelmora_locales
  mkdir -p "$PELMORA_WINE_ROOT"
  (
    flock 9
    [ -f "$PELMORA_TEMPLATE/.ready" ] && exit 0
    rm -rf "$PELMORA_TEMPLATE"
    mkdir -p "$PELMORA_TEMPLATE/home"
    export WINEPREFIX=$PELMORA_TEMPLATE/prefix HOME=$PELMORA_TEMPLATE/home LC_ALL=zh_CN.UTF-8
    wineboot -i >/dev/null 2>&1
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
    touch "$PELMORA_TEMPLATE/.ready"
  ) 9>"$PELMORA_WINE_ROOT/.template.lock"
}

# Makes a fresh prefix at $1 from the template (Wine's files hard-linked,
# the registry copied) and exports WINEPREFIX and HOME for it.
pelmora_prefix() {
  local dir=$1
  pelmora_template
  rm -rf "$dir"
  mkdir -p "$dir/home"
  cp -al "$PELMORA_TEMPLATE/prefix" "$dir/prefix"
  local reg
  for reg in "$dir"/prefix/*.reg; do
    cp --remove-destination "$PELMORA_TEMPLATE/prefix/$(basename "$reg")" "$reg"
  done
  export WINEPREFIX=$dir/prefix HOME=$dir/home
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

# Builds a scripted machine in the current prefix (see tests/machine/machine.py
# for the options). $1 is the windows build folder (for make_shortcut.exe),
# $2 a work folder; the rest goes to machine.py.
pelmora_machine() {
  local build=$1 work=$2
  shift 2
  python3 "$PELMORA_ROOT/tests/machine/machine.py" --prefix "$WINEPREFIX" --out "$work" "$@" >/dev/null || return 1
  wine regedit /S "$(winepath -w "$work/machine.reg" 2>/dev/null)" >/dev/null 2>&1 || return 1
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
