#!/usr/bin/env bash
# Under a real window manager (Xvfb and openbox): F1 starts the help viewer;
# F1 again, with the main window in front, starts no second viewer but
# brings the first to the front and makes it the active window, also when
# it was minimised.
set -u
exe="$1"
help="$2"
dir="$(mktemp -d /tmp/zm_help_XXXXXX)"
cp "$exe" "$help" "$dir/"
# shellcheck source=tests/shell/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
cd "$dir" || exit 1
printf '[Misc]\nCheckProgramVersion = 0\n' > preferences.dat
start_desktop 1280x1024
"$dir/$(basename "$exe")" > "$dir/out.log" 2>&1 &
program=$!
viewer="$dir/$(basename "$help")"
viewers() {   # the processes of the copied viewer
  # -ef is a shell test (same file), not a program started for each of the
  # hundreds of processes the browser tests run beside this one.
  for p in /proc/[0-9]*; do
    [ "$p/exe" -ef "$viewer" ] 2> /dev/null && echo "${p#/proc/}"
  done
}
top_window() { xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}'; }
active_window() { xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}'; }
in_front() {   # window id: active and on top of the stacking
  [ "$(($(active_window)))" = "$(($1))" ] && [ "$(($(top_window)))" = "$(($1))" ]
}
# F1 with the main window in front, then a moment for the viewer to answer.
f1_from_main() {
  xdotool windowactivate --sync "$main" 2> /dev/null
  sleep 0.3
  [ "$(($(active_window)))" = "$((main))" ] || fail "the main window did not come to the front ($1)"
  xdotool key F1
  sleep 1.5
}

main="$(wait_for '^Zembrik Game Maker v' 100)"
[ -n "$main" ] || fail "no main window"
if [ -n "$main" ]; then
  sleep 0.5
  xdotool windowactivate --sync "$main" key F1 2> /dev/null
  window="$(wait_for '^Zembrik Game Maker - Help$' 100)"
  [ -n "$window" ] || fail "F1 showed no help window"
  first="$(viewers)"
  if [ -n "$window" ]; then
    sleep 0.5
    f1_from_main "second F1"
    [ "$(viewers)" = "$first" ] || fail "a second viewer runs: $(viewers | tr '\n' ' ')"
    [ "$(xdotool search --onlyvisible --name '^Zembrik Game Maker - Help$' 2> /dev/null | wc -l)" = 1 ] || fail "more than one help window"
    in_front "$window" || fail "the help window is not in front after the second F1"

    xdotool windowminimize "$window"
    sleep 0.5
    f1_from_main "F1 after minimising"
    xprop -id "$window" WM_STATE | grep -q 'Normal' || fail "the minimised help window stayed minimised"
    in_front "$window" || fail "the minimised help window did not come to the front"
    [ "$(viewers)" = "$first" ] || fail "a second viewer runs after minimising: $(viewers | tr '\n' ' ')"
  fi
fi
# Closed by its close box, the viewer takes its socket and its lock with it.
socket="${TMPDIR:-/tmp}/zembrik-$(id -u)-$(printf '%s' "$(realpath "$viewer")" | sha256sum | cut -c1-20)"
if [ -n "$(viewers)" ] && [ -n "${window:-}" ]; then
  [ -S "$socket" ] || fail "no socket at $socket"
  xdotool windowactivate --sync "$window" key alt+F4 2> /dev/null
  for _ in $(seq 1 50); do [ -z "$(viewers)" ] && break; sleep 0.1; done
  [ -z "$(viewers)" ] || fail "the viewer did not end at its close box"
  [ -e "$socket" ] && fail "the closed viewer left its socket"
  [ -e "$socket.lock" ] && fail "the closed viewer left its lock's file"
fi
for p in $(viewers); do kill "$p"; done
rm -f "$socket" "$socket.lock"
kill "$program" "$wm" "$xvfb" 2> /dev/null
wait "$program" "$wm" "$xvfb" 2> /dev/null
[ $failures -eq 0 ] || cat "$dir/out.log"
rm -rf "$dir"
exit $((failures > 0))
