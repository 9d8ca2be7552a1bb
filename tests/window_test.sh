#!/usr/bin/env bash
# The real SDL window under Xvfb: keys sent with xdotool, the window's pixels
# compared with torvelin-snap's frame for the same keys at the window's scale.
set -uo pipefail
viewer=$1 snap=$2
for tool in Xvfb xdotool import compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'kill $viewer_pid $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
viewer_pid=""
xvfb_pid=""

# A small observation file: 40 dated days.
python3 - "$work/TORVELIN.VSs" <<'PY'
import datetime, sys
codes = ["MA", "DI", "WO", "DO", "VR", "ZA", "ZO"]
with open(sys.argv[1], "w") as f:
    for i in range(40):
        d = datetime.date(1941, 6, 1) + datetime.timedelta(i)
        f.write(("ZELV " + d.strftime("%Y%m%d") + " " + codes[d.weekday()] + "  " + str(i * 7 % 300).rjust(4)).ljust(96))
PY

# A free display number.
for n in $(seq 90 120); do [ -e /tmp/.X$n-lock ] || { disp=:$n; break; }; done
Xvfb "$disp" -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$disp
for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$work" && exec "$viewer") >"$work/viewer.log" 2>&1 &
viewer_pid=$!
wid=$(timeout 20 xdotool search --sync --name "Zelvantor data presentation" | head -n1)
[ -n "$wid" ] || { echo "FAIL: the window did not appear"; cat "$work/viewer.log"; exit 1; }
caption=$(xdotool getwindowname "$wid")
[ "$caption" = "Zelvantor data presentation" ] || { echo "FAIL: caption '$caption'"; exit 1; }

# 1600 x 1200 fits the surface twice over.
scale=2
# Shows the window's pixels until they equal frame N of the headless run, or gives up.
match() {
  local frame=$1 tag=$2
  for i in $(seq 100); do
    import -window "$wid" "$work/shot-$tag.png" 2>/dev/null
    diff=$(compare -metric AE "$work/shot-$tag.png" "$frame" null: 2>&1)
    [ "$diff" = "0" ] && return 0
    sleep 0.1
  done
  mkdir -p test-frames
  cp "$work/shot-$tag.png" "test-frames/window-$tag.png"
  echo "FAIL: the window differs from $(basename "$frame") in $diff pixels after '$tag';" \
       "screenshot saved as test-frames/window-$tag.png"
  exit 1
}

"$snap" --data "$work" --out "$work/snap" --scale $scale --keys "left left enter down down" >/dev/null || exit 1
xdotool windowfocus --sync "$wid" 2>/dev/null || true
match "$work/snap/frame-000.png" start
xdotool key --window "$wid" Left;  match "$work/snap/frame-001.png" left
xdotool key --window "$wid" Left;  match "$work/snap/frame-002.png" left-left
xdotool key --window "$wid" Return; match "$work/snap/frame-003.png" enter
xdotool key --window "$wid" Down Down; match "$work/snap/frame-005.png" down-down
# The stop entry ends the program with status 0.
xdotool key --window "$wid" Down Down Down Return
for i in $(seq 50); do kill -0 $viewer_pid 2>/dev/null || break; sleep 0.1; done
wait $viewer_pid
status=$?
[ $status -eq 0 ] || { echo "FAIL: the viewer ended with status $status"; cat "$work/viewer.log"; exit 1; }

# A termination signal ends the viewer at once, with the usual status.
for sig in TERM INT; do
  (cd "$work" && exec "$viewer") >"$work/viewer.log" 2>&1 &
  viewer_pid=$!
  timeout 20 xdotool search --sync --pid $viewer_pid --name "Zelvantor" >/dev/null
  kill -$sig $viewer_pid
  wait $viewer_pid
  status=$?
  want=$((128 + $(kill -l $sig)))
  [ $status -eq $want ] || { echo "FAIL: SIG$sig gave status $status, not $want"; exit 1; }
done

# Without a display the window cannot open: the viewer says why and ends with 1.
(cd "$work" && DISPLAY=:1999 timeout 20 "$viewer") >"$work/viewer.log" 2>&1
status=$?
[ $status -eq 1 ] && grep -q "torvelin: cannot open the window" "$work/viewer.log" ||
  { echo "FAIL: without a display: status $status"; cat "$work/viewer.log"; exit 1; }
echo "window matches the headless frames at scale $scale; signals and a missing display end it cleanly"
