#!/usr/bin/env bash
# Under a real window manager (Xvfb and openbox): the splash is on screen
# while the program starts, and a window opened from the main window (the
# project name dialog) is transient for it, stays above it when the disabled
# main window is clicked, and cannot be minimised away from it.
set -u
exe="$1"
dir="$(mktemp -d /tmp/zm_windows_XXXXXX)"
cp "$exe" "$dir/"
# shellcheck source=tests/shell/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
cd "$dir" || exit 1
printf '[Misc]\nCheckProgramVersion = 0\n' > preferences.dat
start_desktop 1280x1024
"$dir/$(basename "$exe")" > "$dir/out.log" 2>&1 &
program=$!
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
