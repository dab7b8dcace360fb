# The deployment scripts' scenarios: their machine (deploy_machine, for
# setup.sh) and what deploy\install.cmd or deploy\uninstall.cmd left on it
# (deploy_check, for check.sh), one line each.
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-common.sh"

deploy_sid=S-1-5-21-3623811015-3361044348-30300820-1013
deploy_mathtype='C:\Program Files (x86)\MathType'
deploy_wps=('C:\Program Files (x86)\Kingsoft\WPS Office' 'C:\users\li\AppData\Local\Kingsoft\WPS Office')

# MathType and a WPS for all users; another account, not logged on, with a
# WPS of its own; the release's deploy\ folder beside the program, as in
# the unpacked zip.
deploy_machine() {
  source "$(dirname "${BASH_SOURCE[0]}")/machine.sh"
  scenario_machine --mathtype --mathtype-folder "$deploy_mathtype" \
    --wps-folders --wps-root "${deploy_wps[0]}" --wps-entry \
    --account "$deploy_sid:C:\\users\\li" --account-wps "$deploy_sid"
  mkdir -p "$PELMORA_INSTALL_DIR/deploy"
  cp "$PELMORA_WINDOWS_BUILD"/resources/release/deploy/* "$PELMORA_INSTALL_DIR/deploy/"
}

unix_of() { local rest=${1#?:\\}; echo "$WINEPREFIX/drive_c/${rest//\\//}"; }

state() {  # LABEL FILE ORIGINAL
  if [ ! -e "$2" ]; then echo "$1 missing"
  elif cmp -s "$2" "$3"; then echo "$1 identical"
  else echo "$1 differs"; fi
}

# The copy against the package's program, the panel's three files in both
# WPS against MathType's 32-bit pair, and each run the log holds.
deploy_check() {
  local copy mathtype root office6 log
  copy=$(unix_of 'C:\Program Files (x86)\Pelmora')
  state "copy pelmora.exe" "$copy/pelmora.exe" "$PELMORA_INSTALL_DIR/pelmora.exe"
  [ -d "$copy" ] || echo "copy folder missing"
  mathtype=$(unix_of "$deploy_mathtype")
  for root in "${deploy_wps[@]}"; do
    office6="$(unix_of "$root")/12.1.0.28505/office6"
    state "$root: startup\\MathType Commands 2016.dotm" "$office6/startup/MathType Commands 2016.dotm" \
      "$mathtype/Office Support/32/MathType Commands 2016.dotm"
    state "$root: startup\\MathPage.wll" "$office6/startup/MathPage.wll" "$mathtype/MathPage/32/MathPage.wll"
    state "$root: MathPage.wll" "$office6/MathPage.wll" "$mathtype/MathPage/32/MathPage.wll"
  done
  # %SystemRoot%\Logs, which Wine's prefix spells in lower case.
  log=$WINEPREFIX/drive_c/windows/logs/Pelmora/pelmora.log
  [ -f "$log" ] || { echo "log missing"; return; }
  tr -d '\r' <"$log" | sed -n 's/.*命令行：\([^；]*\)；.*/log run: \1/p; s/.*\(退出代码：.*\)$/log \1/p'
  echo "log: $(grep -c '已放置：' "$log") placed, $(grep -c '已删除：' "$log") deleted"
}
