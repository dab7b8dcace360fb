# The deployment scripts' scenarios: the machine of the runs over every
# account (lib/accounts_machine.sh) with the release's deploy\ folder beside
# the program, as in the unpacked zip (deploy_machine, for setup.sh), and
# what deploy\install.cmd or deploy\uninstall.cmd left on it (deploy_check,
# for check.sh): the program's copy, each WPS's panel files, each run the
# log holds.
source "$(dirname "${BASH_SOURCE[0]}")/check_accounts.sh"

deploy_machine() {
  source "$(dirname "${BASH_SOURCE[0]}")/accounts_machine.sh"
  accounts_machine
  mkdir -p "$PELMORA_INSTALL_DIR/deploy"
  cp "$PELMORA_WINDOWS_BUILD"/resources/release/deploy/* "$PELMORA_INSTALL_DIR/deploy/"
}

deploy_check() {
  local copy=$WINEPREFIX/drive_c/Program\ Files\ \(x86\)/Pelmora log
  if [ ! -d "$copy" ]; then echo "copy folder missing"
  elif cmp -s "$copy/pelmora.exe" "$PELMORA_INSTALL_DIR/pelmora.exe"; then echo "copy pelmora.exe identical"
  else echo "copy pelmora.exe missing or different"
  fi
  check_every_wps
  # %SystemRoot%\Logs, which Wine's prefix spells in lower case.
  log=$WINEPREFIX/drive_c/windows/logs/Pelmora/pelmora.log
  [ -f "$log" ] || { echo "log missing"; return; }
  tr -d '\r' <"$log" | sed -n 's/.*命令行：\([^；]*\)；.*/log run: \1/p; s/.*\(退出代码：.*\)$/log \1/p'
  echo "log: $(grep -c '已放置：' "$log") placed, $(grep -c '已删除：' "$log") deleted"
}
