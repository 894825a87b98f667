#!/usr/bin/env bash
# Starts the program on a real X server (Xvfb) in a fresh program folder and
# checks that it comes up: it stays running and has made its preferences,
# its work folder and its Projects and Extensions folders.
set -u
exe="$1"
dir="$(mktemp -d /tmp/zm_desktop_XXXXXX)"
cp "$exe" "$dir/"
cd "$dir"
exec 3> "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$dir/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 40); do [ -s "$dir/display" ] && break; sleep 0.25; done
export DISPLAY=":$(head -n1 "$dir/display")"
unset QT_QPA_PLATFORM
"$dir/$(basename "$exe")" > "$dir/out.log" 2>&1 &
program=$!
ok=1
for _ in $(seq 1 60); do
  sleep 0.5
  if [ -f preferences.dat ] && ls -d _temp_?????? > /dev/null 2>&1; then ok=0; break; fi
done
[ -d Projects ] && [ -d Extensions ] || ok=1
kill -0 "$program" 2> /dev/null || { echo "the program ended by itself"; ok=1; }
kill "$program" "$xvfb" 2> /dev/null
wait "$program" "$xvfb" 2> /dev/null
[ $ok -eq 0 ] || { echo "no start on $DISPLAY"; cat "$dir/out.log" "$dir/xvfb.log"; ls -la "$dir"; }
rm -rf "$dir"
exit $ok
