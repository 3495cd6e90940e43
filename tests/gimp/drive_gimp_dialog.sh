#!/usr/bin/env bash
# GIMP with its windows under a virtual X server: runs the batch case
# "interactive", which opens the plug-in's dialog; types 70 as Highlight and
# presses OK, as a person would. With ImageMagick's import at hand the screen
# is saved beforehand as OUT/gimp-dialog.png.
#   drive_gimp_dialog.sh GIMP_CONFIG BATCH_COMMAND OUT
# Exit code 77 (skipped) without gimp-2.10, Xvfb or xdotool.
set -euo pipefail
config=$1
command=$2
out=$3

for tool in gimp-2.10 Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed"
    exit 77
  fi
done

exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
gimp=
cleanup() {
  if [ -n "$gimp" ]; then kill "$gimp" 2>/dev/null || true; fi
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
  [ -s "$out/display" ] && break
  sleep 0.1
done
DISPLAY=:$(head -n1 "$out/display")
export DISPLAY

# The image is left changed: only a forced quit goes without asking.
GIMP2_DIRECTORY=$config timeout 600 gimp-2.10 --no-splash -n -d -f -c -b "$command" \
  -b '(gimp-quit 1)' >"$out/gimp-interactive.log" 2>&1 &
gimp=$!

window=
for _ in $(seq 240); do
  window=$(xdotool search --name LUMISTRA 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "FAILED: the dialog never appeared"
  exit 1
fi
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# Client points of the template's Highlight field and OK button (the window
# has no frame without a window manager). GIMP's own windows took the keyboard;
# the dialog takes it back as a window manager would give it.
xdotool windowfocus --sync "$window"
xdotool mousemove $((X + 721)) $((Y + 319)) click 1
xdotool key ctrl+a BackSpace type 70
sleep 1.5
if command -v import >/dev/null 2>&1; then import -window root "$out/gimp-dialog.png"; fi
xdotool mousemove $((X + 459)) $((Y + 504)) click 1

wait "$gimp"
gimp=
