# Sourced by the setup.sh of the runs over every account: a family or lab
# PC with WPS installed in every way at once, and MathType with both pairs.
#   the machine's own WPS (32-bit), named by the machine-wide list and by
#     HKEY_LOCAL_MACHINE's InstallRoot alike;
#   alice, not logged on: a per-user WPS, in the uninstall list of her hive;
#   bob, logged on (his hive loaded): a 64-bit WPS, named by his InstallRoot;
#   carol, not logged on: a per-user WPS named only by her desktop shortcut;
#   dave: a profile whose folder was deleted;
#   the system's own profile, which is no user's.
# accounts_machine passes its arguments on to scenario_machine.
source "$(dirname "${BASH_SOURCE[0]}")/machine.sh"

ALICE=S-1-5-21-3623811015-3361044348-30300820-1013
BOB=S-1-5-21-3623811015-3361044348-30300820-1014
CAROL=S-1-5-21-3623811015-3361044348-30300820-1015
DAVE=S-1-5-21-3623811015-3361044348-30300820-1016
MACHINE_WPS='C:\Program Files (x86)\Kingsoft\WPS Office'

accounts_machine() {
  scenario_machine --mathtype --mathtype-64-pair --mathtype-folder 'C:\Program Files (x86)\MathType' \
    --wps-root "$MACHINE_WPS" --wps-folders --wps-entry --install-root machine= \
    --account "$ALICE:C:\\users\\alice" --account-wps "$ALICE" \
    --account "$BOB:C:\\users\\bob" --account-logged-on "$BOB" --account-wps-folders "$BOB" \
    --account-wps-program-64 "$BOB" --account-install-root "$BOB" \
    --account "$CAROL:C:\\users\\carol" --account-wps-folders "$CAROL" \
    --account-shortcut "$CAROL:WPS Office.lnk=wps" \
    --account "$DAVE:C:\\users\\dave" --account-without-folder "$DAVE" \
    --account 'S-1-5-18:C:\windows\system32\config\systemprofile' --account-without-hive S-1-5-18 \
    --background 267 "$@"
}
