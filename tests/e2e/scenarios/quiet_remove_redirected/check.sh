#!/usr/bin/env bash
# What is left behind the link, and in WPS's own office6.
cd "$WINEPREFIX/drive_c" && find windows-owned "$(dirname "$PELMORA_DESKTOP")/AppData/Local/Kingsoft" \
  -type f -name '*.wll' -o -type f -name '*.dotm' | sed "s|$(dirname "$PELMORA_DESKTOP")|USER|" | LC_ALL=C sort | sed 's/^/left /'
