# Helpers of the release tests: a private copy of the checkout, so that the
# developer's own build/ and dist/ are never touched, and the commit's time.

# copy_tree SRC DEST: the files git would commit (tracked and new), or the
# whole tree without build output when SRC is no git checkout.
copy_tree() {
  local src=$1 dest=$2
  mkdir -p "$dest"
  if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$src" && git ls-files -z --cached --others --exclude-standard |
       while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
       xargs -0 cp --parents -t "$dest")
  else
    tar -C "$src" --exclude=./build --exclude=./dist -cf - . | tar -C "$dest" -xf -
  fi
}

# The time a release of SRC is dated with: its commit's, as scripts/release
# takes it; the copies have no history of their own.
commit_epoch() {
  git -C "$1" log -1 --format=%ct 2>/dev/null || echo 1765000000
}

# The version from its one place, CMakeLists.txt's project().
project_version() {
  sed -n 's/^project(Pelmora VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt"
}

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
