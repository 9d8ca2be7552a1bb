#!/usr/bin/env bash
# Runs bench_present in a real SDL window under Xvfb, at scale 1 and at the
# scale the viewer picks on a 1600 x 1200 screen (2).
#   bench/present.sh BUILD_DIR
set -uo pipefail
build=${1:-build}
bench=$build/bench_present
[ -x "$bench" ] || { echo "present.sh: $bench is not built"; exit 1; }
command -v Xvfb >/dev/null || { echo "present.sh: Xvfb is not installed (make deps)"; exit 1; }
for n in $(seq 150 190); do [ -e /tmp/.X$n-lock ] || { disp=:$n; break; }; done
log=$(mktemp)
Xvfb "$disp" -screen 0 1600x1200x24 -nolisten tcp >"$log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$log"' EXIT
for i in $(seq 50); do [ -e /tmp/.X11-unix/X${disp#:} ] && break; sleep 0.1; done
status=0
for scale in 1 2; do
  DISPLAY=$disp "$bench" --scale $scale "${@:2}" || status=1
done
exit $status
