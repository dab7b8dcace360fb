# Sourced by the unattended scenarios' check.sh: prints the run's log
# (pelmora.log beside the program) one "log" line per line, without the
# time stamps, with the user's name as USER and Windows' bitness as N, so
# both builds and every machine print the same. Says first whether the
# file starts with UTF-8's byte-order mark and whether every line carries
# a time stamp.
set -uo pipefail

log_file=${CHECK_LOG:-$PELMORA_INSTALL_DIR/pelmora.log}
if [ ! -f "$log_file" ]; then
  echo "log missing"
else
  [ "$(head -c 3 "$log_file" | od -An -tx1 | tr -d ' ')" = efbbbf ] && echo "log starts with BOM"
  stamped='^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} '
  tail -c +4 "$log_file" | tr -d '\r' | grep -Evc "$stamped" | sed 's/^/log lines without time stamp: /'
  user=$(basename "$(dirname "$PELMORA_DESKTOP")")
  tail -c +4 "$log_file" | tr -d '\r' | sed -E "s/$stamped//; s/(用户：)$user(；|$)/\1USER\2/; s/^$user的/USER的/;
    s/\\\\users\\\\$user\\\\/\\\\users\\\\USER\\\\/g; s/[0-9]+位Windows/N位Windows/; s/^/log /"
fi
