# Shows that a run changed nothing on the machine. setup.sh sources this
# and calls scenario_snapshot once the machine is built (after
# scenario_machine, whose `wineserver -w` has written the registry files);
# check.sh sources it and calls check_unchanged, which prints one line per
# file added, changed or removed, and per registry line (key or value) of
# the places Pelmora reads that was added or removed, or "machine
# unchanged".
#
# Looked at: every file on drive C outside Windows' own folder (by its
# bytes), and the uninstall lists and Kingsoft's keys in the registry.
# CHECK_UNCHANGED_EXCEPT, when set, names one file (a path below drive C,
# with forward slashes) that the script itself deletes, such as the flag
# that keeps a stand-in WPS running.

unchanged_snapshot_file() { echo "$(dirname "$WINEPREFIX")/snapshot.txt"; }

# One line per file or registry line: what it is, a tab, and for a file
# its bytes' digest. The Unix user's name is kept out, as the transcript
# keeps it out of Windows paths.
unchanged_listing() {
  local drive=$WINEPREFIX/drive_c
  local user
  user=$(basename "$(dirname "$PELMORA_DESKTOP")")
  (cd "$drive" && find . -path ./windows -prune -o -type f -print0 | LC_ALL=C sort -z |
    xargs -0 -r md5sum |
    awk -v user="$user" '{
      hash = $1; path = substr($0, length(hash) + 5)
      sub("^users/" user "/", "users/USER/", path)
      print "file " path "\t" hash }')
  # Keys and their values without the times Wine stamps on them.
  local reg
  for reg in system.reg user.reg; do
    awk -v reg="$reg" '
      /^\[/ { keep = ($0 ~ /Uninstall/ || $0 ~ /Kingsoft/); key = $0; sub(/\] [0-9]+$/, "]", key) }
      keep && /^\[/ { print "registry " reg " " key "\t"; next }
      keep && /^#time=/ { next }
      keep && NF { print "registry " reg " " key " " $0 "\t" }
    ' "$WINEPREFIX/$reg"
  done
}

scenario_snapshot() { unchanged_listing >"$(unchanged_snapshot_file)"; }

check_unchanged() {
  local now
  now=$(mktemp)
  unchanged_listing >"$now"
  awk -F '\t' -v except="file ${CHECK_UNCHANGED_EXCEPT:-}" '
    NR == FNR { before[$1] = $2; next }
    { seen[$1] = 1
      if (!($1 in before)) print "added " $1
      else if (before[$1] != $2) print "changed " $1 }
    END { for (line in before) if (!(line in seen) && line != except) print "removed " line }
  ' "$(unchanged_snapshot_file)" "$now" | LC_ALL=C sort >"$now.changes"
  if [ -s "$now.changes" ]; then
    cat "$now.changes"
  else
    echo "machine unchanged"
  fi
  rm -f "$now" "$now.changes"
}
