# Wine prefixes: every prefix is a copy of a pristine template with its own
# HOME, because Wine links the desktop folder into $HOME. There are two
# templates: the 32-bit Windows every test uses by default, and a 64-bit one
# (WINEARCH win64) where the 32-bit program runs under WOW64, as on most
# users' machines. Each is built once, under its own lock.

PELMORA_TEMPLATE=$PELMORA_WINE_ROOT/template
PELMORA_TEMPLATE64=$PELMORA_WINE_ROOT/template64

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
# (default that of the build under test: win64 for the 64-bit twin, which
# runs nowhere else; Wine's files hard-linked, the registry copied) and
# exports WINEPREFIX, HOME and WINEARCH for it.
pelmora_prefix() {
  local default_arch
  default_arch=$(pelmora_windows_build arch "$PELMORA_WINE_BITS") || return 1
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

# The folder of the prefix that the adapter tests of a build ($1, its bits)
# share, with its long-lived server.
pelmora_unit_test_dir() {
  echo "$PELMORA_WINE_ROOT/unit-tests-$(pelmora_windows_build arch "$1")"
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
