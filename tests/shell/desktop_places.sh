#!/usr/bin/env bash
# Under a real window manager (Xvfb and openbox), where windows go:
# - with the main window moved away from the middle, windows open centred on
#   the screen, and a property window asks for a title bar with no buttons;
# - "Global variables", moved once, comes back at exactly that place however
#   often it is closed with OK and opened again;
# - a stored place that would put its title bar off the screen is not used:
#   the window comes up centred;
# - on a screen smaller than the scene window, the scene window opens at the
#   screen's top-left corner, its title bar in reach.
set -u
exe="$1"
dir="$(mktemp -d /tmp/zm_places_XXXXXX)"
cp "$exe" "$dir/"
# shellcheck source=tests/shell/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
cd "$dir" || exit 1
wait_gone() {   # name
  for _ in $(seq 1 50); do [ -z "$(visible "$1")" ] && return 0; sleep 0.1; done
  return 1
}
inner() {   # id: x y width height of the inner area on the screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}
# The frame as openbox draws it, once it has framed the window and the
# window stands still: x y width height.
frame() {
  local last="" now
  for _ in $(seq 1 30); do
    local ext
    ext="$(xprop -id "$1" _NET_FRAME_EXTENTS 2> /dev/null | sed -n 's/.*= //p' | tr -d ',')"
    if [ -n "$ext" ]; then
      read -r l r t b <<< "$ext"
      read -r x y w h <<< "$(inner "$1")"
      now="$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
      [ "$now" = "$last" ] && { echo "$now"; return; }
      last="$now"
    fi
    sleep 0.1
  done
  echo "$last"
}
# Motif hints: "flags functions" (flag 1: functions given; minimise 8,
# maximise 16, close 32).
motif() { xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ',' | awk '{print $1, $2}'; }
# Whether a frame is centred on the 0,0-based screen of this size, give or take
# the few pixels by which openbox's frames differ from the maximised main
# window's, which the program centres by.
centred() {   # frame, screen width, screen height
  read -r x y w h <<< "$1"
  local dx=$((2 * x + w - $2)) dy=$((2 * y + h - $3))
  [ "${dx#-}" -le 8 ] && [ "${dy#-}" -le 8 ]
}
click_inner() {   # id, x, y within its inner area
  read -r x y _ _ <<< "$(inner "$1")"
  xdotool mousemove --sync $((x + $2)) $((y + $3)) click 1
}
# The Done or OK button of a window: so far left of and above its inner area's
# bottom-right corner.
click_from_corner() {   # id, x, y
  read -r _ _ w h <<< "$(inner "$1")"
  click_inner "$1" $((w - $2)) $((h - $3))
}
start() {   # screen size
  start_desktop "$1"
  "$dir/$(basename "$exe")" > "$dir/out.log" 2>&1 &
  program=$!
  main="$(wait_for '^Zembrik Game Maker v' 150)"
  [ -n "$main" ] || fail "no main window"
  sleep 0.5
}
stop() {
  kill "$program" "$wm" "$xvfb" 2> /dev/null
  wait "$program" "$wm" "$xvfb" 2> /dev/null
}
# Opens "Global variables" from the Game tab of the main window.
open_globals() {
  click_inner "$main" 759 78
  click_inner "$main" 157 120
  wait_for '^Global variables$' 50
}

# --- Centred on the screen, not on the main window; the hints of the title bars.
printf '[Misc]\nCheckProgramVersion = 0\n' > preferences.dat
start 1280x1024
if [ -n "$main" ]; then
  # Double-clicking the title bar takes the maximised main window back to its
  # normal size; then it goes down to the right.
  xdotool mousemove --sync 640 8 click --repeat 2 --delay 80 1
  sleep 0.5
  xdotool windowmove --sync "$main" 450 400 2> /dev/null
  sleep 0.5
  read -r mx my _ _ <<< "$(frame "$main")"
  if [ "$mx" -lt 400 ] || [ "$my" -lt 350 ]; then fail "the main window did not move aside: $(frame "$main")"; fi
  xdotool windowactivate --sync "$main" key ctrl+1 2> /dev/null
  sprite="$(wait_for '^Sprite properties' 50)"
  if [ -z "$sprite" ]; then
    fail "no sprite window"
  else
    place="$(frame "$sprite")"
    centred "$place" 1280 1024 || fail "the sprite window is not centred on the screen: $place"
    read -r flags functions <<< "$(motif "$sprite")"
    if [ $((flags & 1)) -ne 1 ] || [ $((functions & 56)) -ne 0 ]; then
      fail "the sprite window asks for title bar buttons: $(xprop -id "$sprite" _MOTIF_WM_HINTS)"
    fi
    click_from_corner "$sprite" 42 22   # Done
    wait_gone '^Sprite properties' || fail "the sprite window did not close"
  fi

  # --- A moved code window stays where it was left.
  globals="$(open_globals)"
  if [ -z "$globals" ]; then
    fail "no Global variables window"
  else
    place="$(frame "$globals")"
    centred "$place" 1280 1024 || fail "Global variables is not centred on the screen: $place"
    read -r _ functions <<< "$(motif "$globals")"
    [ $((functions & 56)) -eq 56 ] || fail "Global variables lacks a button: $(xprop -id "$globals" _MOTIF_WM_HINTS)"
    read -r x y _ _ <<< "$place"
    xdotool mousemove --sync $((x + 300)) $((y + 8)) mousedown 1
    for step in 1 2 3 4 5; do xdotool mousemove --sync $((x + 300 + 20 * step)) $((y + 8 + 22 * step)); sleep 0.05; done
    xdotool mouseup 1
    sleep 0.3
    moved="$(frame "$globals")"
    [ "$moved" != "$place" ] || fail "Global variables did not move"
    for round in 1 2 3 4 5 6; do
      click_from_corner "$globals" 43 23   # OK
      wait_gone '^Global variables$' || { fail "Global variables did not close"; break; }
      globals="$(open_globals)"
      [ -n "$globals" ] || { fail "Global variables did not open again"; break; }
      now="$(frame "$globals")"
      [ "$now" = "$moved" ] || { fail "reopening $round moved Global variables from $moved to $now"; break; }
    done
  fi
fi
stop

# --- A stored place above the screen; a screen smaller than the scene window.
printf '[Code editor]\nx = 200\ny = -400\nwidth = 700\nheight = 500\nmaximized = -1\n[Misc]\nCheckProgramVersion = 0\n' \
  > preferences.dat
start 1000x660
if [ -n "$main" ]; then
  globals="$(open_globals)"
  if [ -z "$globals" ]; then
    fail "no Global variables window from the stored place"
  else
    place="$(frame "$globals")"
    centred "$place" 1000 660 || fail "Global variables from a place off the screen is not centred: $place"
    read -r _ _ w h <<< "$(inner "$globals")"
    [ "$w $h" = "700 500" ] || fail "Global variables did not keep the stored size: $w x $h"
    click_from_corner "$globals" 43 23
    wait_gone '^Global variables$' || fail "Global variables did not close"
  fi
  xdotool windowactivate --sync "$main" key ctrl+7 2> /dev/null
  scene="$(wait_for '^Scene properties' 50)"
  if [ -z "$scene" ]; then
    fail "no scene window"
  else
    read -r x y _ _ <<< "$(frame "$scene")"
    [ "$x $y" = "0 0" ] || fail "the scene window, larger than the screen, is not at its corner: $(frame "$scene")"
  fi
fi
stop
[ $failures -eq 0 ] || cat "$dir/out.log"
rm -rf "$dir"
exit $((failures > 0))
