# Shared by the scripts that run Windows programs under Wine. Source it: it
# brings in the Windows builds and the parts in scripts/lib/, one concern
# each (which loader, locales, prefixes, the X server, the registry).

PELMORA_ROOT=${PELMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
PELMORA_WINE_ROOT=${PELMORA_WINE_ROOT:-$PELMORA_ROOT/build/wine}

for pelmora_part in builds wine-loader wine-locale wine-prefix wine-display wine-registry; do
  source "$(dirname "${BASH_SOURCE[0]}")/lib/$pelmora_part.sh"
done
unset pelmora_part
