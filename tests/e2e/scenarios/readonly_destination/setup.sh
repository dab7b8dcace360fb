#!/usr/bin/env bash
# An older MathPage.wll in WPS's start-up folder, read-only. Wine runs as
# root and replaces a read-only file anyway (a copy or rename succeeds), so the
# file is also made immutable: then the copy fails with access denied, as
# it does on Windows for a read-only destination.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps"
user_dir=$(dirname "$PELMORA_DESKTOP")
startup_win="C:\\users\\$(basename "$user_dir")\\AppData\\Local\\Kingsoft\\WPS Office\\12.1.0.28505\\office6\\startup"
startup="$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6/startup"
printf 'MZ an older MathPage add-in' >"$startup/MathPage.wll"
wine "$PELMORA_WINDOWS_BUILD/tests/machine/probe.exe" readonly "$startup_win\\MathPage.wll"
wineserver -w
scenario_immutable "$startup/MathPage.wll"
