# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by the desktop tests: a display of their own (Xvfb with -displayfd,
# so that parallel runs never share one) under openbox, and the looks at its
# windows that they share. The caller sets `dir`, the folder of the run.

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Starts Xvfb with a screen of this size (1280x1024 when none is given) and
# openbox on it; sets DISPLAY, `xvfb` and `wm`.
start_desktop() {
  rm -f "$dir/display"
  exec 3> "$dir/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp > "$dir/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 1 40); do [ -s "$dir/display" ] && break; sleep 0.25; done
  exec 3>&-
  DISPLAY=":$(head -n1 "$dir/display")"
  export DISPLAY
  unset QT_QPA_PLATFORM
  openbox > "$dir/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 1 40); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.25; done
}

visible() { xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n1; }
wait_for() {   # name, tenths of a second
  local id=""
  for _ in $(seq 1 "$2"); do id="$(visible "$1")"; [ -n "$id" ] && break; sleep 0.1; done
  echo "$id"
}
