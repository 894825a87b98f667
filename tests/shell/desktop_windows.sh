#!/usr/bin/env bash
# Under a real window manager (Xvfb and openbox): the splash is on screen
# while the program starts, and a window opened from the main window (the
# project name dialog) is transient for it, stays above it when the disabled
# main window is clicked, and cannot be minimised away from it.
set -u
exe="$1"
dir="$(mktemp -d /tmp/zm_windows_XXXXXX)"
cp "$exe" "$dir/"
cd "$dir"
printf '[Misc]\nCheckProgramVersion = 0\n' > preferences.dat
exec 3> "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$dir/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 40); do [ -s "$dir/display" ] && break; sleep 0.25; done
export DISPLAY=":$(head -n1 "$dir/display")"
unset QT_QPA_PLATFORM
openbox > "$dir/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 1 40); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.25; done
"$dir/$(basename "$exe")" > "$dir/out.log" 2>&1 &
program=$!
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
visible() { xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n1; }
wait_for() {   # name, tenths of a second
  local id=""
  for _ in $(seq 1 "$2"); do id="$(visible "$1")"; [ -n "$id" ] && break; sleep 0.1; done
  echo "$id"
}

[ -n "$(wait_for '^Please wait\.\.\.$' 100)" ] || fail "the splash was never on screen"
main="$(wait_for '^Zembrik Game Maker v' 100)"
[ -n "$main" ] || fail "no main window"
if [ -n "$main" ]; then
  sleep 0.5
  xdotool windowactivate --sync "$main" key ctrl+s 2> /dev/null
  dialog="$(wait_for '^Enter the project name$' 50)"
  if [ -z "$dialog" ]; then
    fail "no name dialog"
  else
    xprop -id "$dialog" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")" ||
      fail "the dialog is not transient for the main window: $(xprop -id "$dialog" WM_TRANSIENT_FOR)"
    # A click on the disabled main window, far from the dialog.
    xdotool mousemove --sync 60 900 click 1
    sleep 0.5
    top="$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')"
    [ "$((top))" = "$((dialog))" ] || fail "the main window rose above the dialog"
    xdotool windowminimize "$dialog"
    sleep 1
    xprop -id "$dialog" WM_STATE | grep -q 'Normal' || fail "the dialog stayed minimised"
    [ -n "$(visible '^Enter the project name$')" ] || fail "the dialog is gone from the screen"
  fi
fi
kill "$program" "$wm" "$xvfb" 2> /dev/null
wait "$program" "$wm" "$xvfb" 2> /dev/null
[ $failures -eq 0 ] || cat "$dir/out.log"
rm -rf "$dir"
exit $((failures > 0))
