# The X server that Wine's windows go to when no display is given.

# Starts an X server on a free display and exports DISPLAY; the pid goes to
# PELMORA_XVFB_PID for pelmora_stop_xvfb.
pelmora_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    PELMORA_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      sleep 0.1
    done
    kill "$PELMORA_XVFB_PID" 2>/dev/null
  done
  echo "no free X display" >&2
  return 1
}

pelmora_stop_xvfb() {
  [ -n "${PELMORA_XVFB_PID:-}" ] && kill "$PELMORA_XVFB_PID" 2>/dev/null
  PELMORA_XVFB_PID=
}
