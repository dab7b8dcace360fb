# Sourced by the check.sh of the runs over every account
# (lib/accounts_machine.sh): check_every_wps prints, for each WPS of that
# machine, whether each panel file is MathType's 32-bit or 64-bit one,
# another file, or missing.
set -uo pipefail

accounts_unix_of() {
  local rest=${1#?:\\}
  echo "$WINEPREFIX/drive_c/${rest//\\//}"
}

# The file's state against MathType's two files of that name.
accounts_pair_of() {
  local file=$1 source_32=$2 source_64=$3
  if [ ! -e "$file" ]; then echo missing
  elif cmp -s "$file" "$source_32"; then echo 32-bit
  elif cmp -s "$file" "$source_64"; then echo 64-bit
  else echo other
  fi
}

check_every_wps() {
  local mathtype version=12.1.0.28505 label root office6
  mathtype=$(accounts_unix_of 'C:\Program Files (x86)\MathType')
  for label in machine alice bob carol; do
    if [ $label = machine ]; then
      root=$(accounts_unix_of "$MACHINE_WPS")
    else
      root="$WINEPREFIX/drive_c/users/$label/AppData/Local/Kingsoft/WPS Office"
    fi
    office6="$root/$version/office6"
    echo "wps $label:" \
      "startup/dotm $(accounts_pair_of "$office6/startup/MathType Commands 2016.dotm" \
        "$mathtype/Office Support/32/MathType Commands 2016.dotm" \
        "$mathtype/Office Support/64/MathType Commands 2016.dotm")," \
      "startup/wll $(accounts_pair_of "$office6/startup/MathPage.wll" \
        "$mathtype/MathPage/32/MathPage.wll" "$mathtype/MathPage/64/MathPage.wll")," \
      "office6/wll $(accounts_pair_of "$office6/MathPage.wll" \
        "$mathtype/MathPage/32/MathPage.wll" "$mathtype/MathPage/64/MathPage.wll")"
  done
}
