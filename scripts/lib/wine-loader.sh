# Which Wine starts Windows programs: Debian's loaders and servers of each
# bitness, and the choice between them for the build under test.

export WINEARCH=${WINEARCH:-win32}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

# Debian's `wine` and `wineserver` commands are wrappers that pick among
# these; `wine` always takes the 32-bit loader when it is installed.
PELMORA_WINE_LOADER_32=/usr/lib/wine/wine
PELMORA_WINE_LOADER_64=/usr/lib/wine/wine64
PELMORA_WINESERVER_32=/usr/lib/wine/wineserver
PELMORA_WINESERVER_64=/usr/lib/wine/wineserver64

# The loader or the server of a bitness (32 or 64).
pelmora_wine_loader() { local path=PELMORA_WINE_LOADER_$1; echo "${!path}"; }
pelmora_wineserver() { local path=PELMORA_WINESERVER_$1; echo "${!path}"; }

# Which loader starts Windows programs: the 32-bit product's test programs
# go through Debian's `wine` (its 32-bit loader, which hands 64-bit programs
# on to wine64), the 64-bit twin's through wine64 itself, since the wrapper
# would take the 32-bit loader, which some kernels refuse.
# PELMORA_WINE_BITS=64 picks the twin's loader; the test build's CMake sets
# it for its own tests. PELMORA_WINE names the loader for commands that
# start it themselves (timeout), which cannot call the shell function.
pelmora_use_wine_bits() {
  export PELMORA_WINE_BITS=$1
  PELMORA_WINE=wine
  if [ "$1" = 64 ]; then
    PELMORA_WINE=$PELMORA_WINE_LOADER_64
    export WINELOADER=$PELMORA_WINE_LOADER_64 WINESERVER=$PELMORA_WINESERVER_64
    wine() { "$PELMORA_WINE_LOADER_64" "$@"; }
    wineboot() { "$PELMORA_WINE_LOADER_64" wineboot "$@"; }
    winepath() { "$PELMORA_WINE_LOADER_64" winepath "$@"; }
    wineserver() { "$PELMORA_WINESERVER_64" "$@"; }
  fi
}
pelmora_use_wine_bits "${PELMORA_WINE_BITS:-32}"

# Whether this machine can run the programs of a build of the given bitness
# ($1, default 32) under Wine. Some virtual machines' kernels refuse every
# i386 program ("Exec format error"), and with it Wine's 32-bit loader; the
# 64-bit loader still runs there. Prints the reason and returns 1 when not.
pelmora_wine_runs() {
  local bits=${1:-32} reason
  if reason=$("$(pelmora_wine_loader "$bits")" --version 2>&1); then return 0; fi
  if [ "$bits" = 64 ]; then
    echo "Wine's 64-bit loader does not run here ($reason)"
  else
    echo "this machine's kernel does not run 32-bit programs, which Wine's 32-bit loader needs ($reason)"
  fi
  return 1
}

# The build whose programs run here, for the demo and the benchmarks: the
# 32-bit product where the kernel runs i386 programs, else its 64-bit twin.
# Echoes the preset's name; prints both reasons and returns 1 when neither
# runs.
pelmora_runnable_preset() {
  local reason32 reason64
  if reason32=$(pelmora_wine_runs 32); then pelmora_windows_build preset 32; return 0; fi
  if reason64=$(pelmora_wine_runs 64); then pelmora_windows_build preset 64; return 0; fi
  echo "no Windows program can run here: $reason32; $reason64" >&2
  return 1
}
