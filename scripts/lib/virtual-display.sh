# Starting a private Xvfb display. Sourced by the run and test commands.

# Starts Xvfb on a free display number and exports DISPLAY; the server's
# pid is left in XVFB_PID and added to XVFB_PIDS (a command may start more
# than one). Waits at most 20 seconds for it.
start_virtual_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  XVFB_PIDS+=("$XVFB_PID")
  local waited=0
  while [[ ! -s "$fd_file" ]]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || (( waited >= 200 )); then
      echo "Xvfb did not start" >&2
      rm -f "$fd_file"
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -dc '0-9' <"$fd_file")"
  rm -f "$fd_file"
}

# Stops every display the command started.
stop_virtual_display() {
  local pid
  for pid in ${XVFB_PIDS[@]+"${XVFB_PIDS[@]}"}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  XVFB_PID= XVFB_PIDS=()
}
