# The X server that Wine's windows go to when no display is given.

# Starts an X server on a free display and exports DISPLAY; the pid goes to
# PELMORA_XVFB_PID for pelmora_stop_xvfb.
pelmora_start_xvfb() {
  # The server picks a free display itself (-displayfd) and names it once it
  # listens: two callers probing for a free number at the same moment could
  # otherwise both take one, and the second would use the first's server.
  local ready
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  PELMORA_XVFB_PID=$!
  local i n
  for i in $(seq 1 100); do
    n=$(tr -dc 0-9 <"$ready")
    if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
      rm -f "$ready"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$PELMORA_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$ready"
  kill "$PELMORA_XVFB_PID" 2>/dev/null
  echo "no free X display" >&2
  return 1
}

pelmora_stop_xvfb() {
  [ -n "${PELMORA_XVFB_PID:-}" ] && kill "$PELMORA_XVFB_PID" 2>/dev/null
  PELMORA_XVFB_PID=
}
