# The Windows builds, and the one way the scripts configure and build a
# preset. Source it.

# The two Windows builds by bitness: the 32-bit product and its 64-bit twin
# (never shipped). Each row: bits, CMake preset, the processor it is
# compiled for, the Wine architecture of the prefixes its programs run in.
PELMORA_WINDOWS_BUILDS=(
  "32 windows i686 win32"
  "64 windows64 x86_64 win64"
)

# pelmora_windows_build FIELD KEY: the FIELD (bits, preset, processor or
# arch) of the build that has KEY in any field, so a script may name a build
# however it knows it: `pelmora_windows_build arch 64` is win64,
# `pelmora_windows_build bits windows64` is 64.
pelmora_windows_build() {
  local want=$1 key=$2 row bits preset processor arch
  for row in "${PELMORA_WINDOWS_BUILDS[@]}"; do
    [[ " $row " == *" $key "* ]] || continue
    read -r bits preset processor arch <<<"$row"
    echo "${!want}"
    return 0
  done
  echo "no Windows build is called '$key'" >&2
  return 1
}

PELMORA_JOBS=$(nproc 2>/dev/null || echo 2)

# pelmora_build PRESET [-B FOLDER] [--target NAME] [-DNAME=VALUE ...]
# Configures the preset, whose own output tells nothing, and builds it.
# With -B the preset's configuration goes to a folder of its own, so that a
# developer's build is neither used nor disturbed.
pelmora_build() {
  local preset=$1 dir= target=() settings=()
  shift
  while [ $# -gt 0 ]; do
    case $1 in
      -B) dir=$2; shift 2 ;;
      --target) target=(--target "$2"); shift 2 ;;
      *) settings+=("$1"); shift ;;
    esac
  done
  if [ -n "$dir" ]; then
    cmake --preset "$preset" -B "$dir" "${settings[@]}" >/dev/null &&
      cmake --build "$dir" "${target[@]}" -j "$PELMORA_JOBS"
  else
    cmake --preset "$preset" "${settings[@]}" >/dev/null &&
      cmake --build --preset "$preset" "${target[@]}" -j "$PELMORA_JOBS"
  fi
}
