# Sourced by the check.sh of the runs over every account
# (lib/accounts_machine.sh): check_every_wps prints, for each WPS of that
# machine, whether each panel file is MathType's 32-bit or 64-bit one,
# another file, or missing.
set -uo pipefail

check_every_wps() {
  local drive=$WINEPREFIX/drive_c label office6 file source state line
  local mathtype="$drive/Program Files (x86)/MathType"
  for label in machine alice bob carol; do
    office6="$drive/users/$label/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6"
    [ $label = machine ] && office6="$drive/Program Files (x86)/Kingsoft/WPS Office/12.1.0.28505/office6"
    line=
    for file in "startup/MathType Commands 2016.dotm" startup/MathPage.wll MathPage.wll; do
      case $file in
        *.dotm) source="Office Support/%s/MathType Commands 2016.dotm" ;;
        *) source="MathPage/%s/MathPage.wll" ;;
      esac
      if [ ! -e "$office6/$file" ]; then state=missing
      elif cmp -s "$office6/$file" "$mathtype/$(printf "$source" 32)"; then state=32-bit
      elif cmp -s "$office6/$file" "$mathtype/$(printf "$source" 64)"; then state=64-bit
      else state=other
      fi
      line+="${line:+, }$file $state"
    done
    echo "wps $label: $line"
  done
}
