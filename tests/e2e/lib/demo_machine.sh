# The demonstration machine: MathType 7 and WPS Office installed as their
# installers leave them, among the uninstall entries of a real machine, and
# the WPS shortcut on the desktop. scripts/demo shows it, scripts/bench
# measures a whole run's memory on it, and the desktop_ok scenario tests
# it; each one's setup.sh sources this.
source "$(dirname "${BASH_SOURCE[0]}")/machine.sh"
scenario_machine --mathtype --wps-folders --shortcut "WPS Office.lnk=wps" --background 267
