#!/usr/bin/env bash
# The GTK dialog on its own under a virtual X server, used with xdotool as a
# person would: typing values, moving a slider, zooming, dragging in the
# navigator, Before/After, Default, then OK; a second dialog is cancelled. At
# each step lumistra-gtk-dialog writes the controls' state and how many pixels
# of each pane on the screen differ from what the plug-in drew.
#   drive_gtk_dialog.sh LUMISTRA_GTK_DIALOG SCRATCH_DIR
# Exit code 77 (skipped) without Xvfb or xdotool.
set -euo pipefail
program=$1
scratch=$2

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (apt-get install xvfb xdotool)"
    exit 77
  fi
done

# Under the address sanitizer the program ends with what GTK keeps for the life
# of a process, which is no leak of ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

rm -rf "$scratch"
mkdir -p "$scratch"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# A display of our own, found free by Xvfb itself.
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
dialog=
cleanup() {
  if [ -n "$dialog" ]; then kill "$dialog" 2>/dev/null || true; fi
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
DISPLAY=:$(head -n1 "$scratch/display")
export DISPLAY

wait_for() {
  for _ in $(seq 100); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  echo "FAILED: $1 never appeared"
  exit 1
}

# start_dialog OUT [ARGUMENTS...]
start_dialog() {
  out=$1
  shift
  "$program" --out "$out" "$@" >"$out.log" 2>&1 &
  dialog=$!
  wait_for "$out/ready"
  snaps=0
}

# The screen point in the middle of a control, or at a fraction across it.
centre() {
  awk -v id="$1" -v across="${2:-0.5}" '$1 == "item" && $2 == id {
    printf "%d %d\n", $3 + ($5 - $3) * across, ($4 + $6) / 2 }' "$out/ready"
}

click() {
  read -r x y < <(centre "$@")
  xdotool mousemove "$x" "$y" click 1
  sleep 0.3
}

# Takes a snapshot once the refresh timer has had its turn; s names it.
snap() {
  sleep "${1:-1.2}"
  snaps=$((snaps + 1))
  kill -USR1 "$dialog"
  wait_for "$out/snap-$snaps.state"
  s=$out/snap-$snaps
}

# expect SNAPSHOT NAME VALUE: a line of the snapshot's state.
expect() {
  local got
  got=$(awk -v name="$2" '$1 == name { sub(/^[^ ]* /, ""); print }' "$1.state")
  [ "$got" = "$3" ] || fail "$(basename "$1"): $2 is '$got', not '$3'"
}

panes_match() {
  expect "$1" preview.mismatches 0
  expect "$1" navigator.mismatches 0
}

differ() {
  cmp -s "$1.png" "$2.png" && fail "$(basename "$1") and $(basename "$2") show the same picture"
  return 0
}

# Controls of the dialog template.
zoom_out=1026 before=1030 after=1031 highlight_edit=1013 shadow_slider=1017
clarity_edit=1020 ok=1056 default=1019 cancel=2 navigator=1028

echo "--- a dialog used to the end and accepted"
start_dialog "$scratch/accepted" --values 60,30,55
snap
expect "$s" highlight.edit 60
expect "$s" shadow.slider 30
expect "$s" clarity.edit 55
expect "$s" after 1
panes_match "$s"
opened=$s

click "$highlight_edit"
xdotool key ctrl+a BackSpace type 75
snap
expect "$s" highlight.edit 75
expect "$s" highlight.slider 75
panes_match "$s"
differ "$opened" "$s"

click "$shadow_slider" 0.5
xdotool key End
snap
expect "$s" shadow.slider 100
expect "$s" shadow.edit 100
panes_match "$s"

click "$zoom_out"
snap
expect "$s" zoom "50%"
panes_match "$s"
zoomed=$s

read -r x y < <(centre "$navigator")
xdotool mousemove "$x" "$y" mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove "$((x - 8 * step))" "$((y - 5 * step))"
  sleep 0.05
done
xdotool mouseup 1
snap
panes_match "$s"
differ "$zoomed" "$s"
dragged=$s

click "$before"
snap
expect "$s" before 1
expect "$s" after 0
panes_match "$s"
differ "$dragged" "$s"
cp "$s.png" "$scratch/before.png"

click "$after"
snap
expect "$s" after 1
panes_match "$s"
cp "$s.png" "$scratch/after.png"

click "$default"
snap
expect "$s" highlight.edit 50
expect "$s" shadow.edit 50
expect "$s" clarity.slider 50

click "$clarity_edit"
xdotool key ctrl+a BackSpace type 80
snap
expect "$s" clarity.slider 80
panes_match "$s"
cp "$s.png" "$scratch/dialog.png"

click "$ok"
wait "$dialog" || fail "the dialog program failed"
dialog=
expect "$out/result" result 0
expect "$out/result" imageChanged 1
expect "$out/result" recorded.highlight 50
expect "$out/result" recorded.shadow 50
expect "$out/result" recorded.clarity 80
expect "$out/result" hostLeaks none

echo "--- a dialog cancelled"
start_dialog "$scratch/cancelled" --values 10,20,30
click "$highlight_edit"
xdotool key ctrl+a BackSpace type 150
snap 0.5
# Too large a value is taken back to the largest while it is typed.
expect "$s" highlight.edit 100
expect "$s" highlight.slider 100
click "$cancel"
wait "$dialog" || fail "the dialog program failed"
dialog=
expect "$out/result" result -128
expect "$out/result" imageChanged 0
expect "$out/result" hostLeaks none

echo "--- a dialog closed with Escape"
start_dialog "$scratch/escaped"
click "$highlight_edit"
xdotool key Escape
wait "$dialog" || fail "the dialog program failed"
dialog=
expect "$out/result" result -128

for log in "$scratch"/*.log; do
  if grep -q -e CRITICAL -e WARNING "$log"; then fail "GTK complained in $log"; fi
done

if ((failures)); then
  echo "$failures checks failed; the snapshots are in $scratch"
  exit 1
fi
echo "every check passed"
