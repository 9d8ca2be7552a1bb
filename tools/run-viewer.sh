#!/usr/bin/env bash
# Opens the viewer on the observation file in DATA (the bundled sample by default).
set -euo pipefail
viewer=$1
data=${2:-data}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
torvelin: there is no graphical display here (neither DISPLAY nor WAYLAND_DISPLAY is set),
so the viewer's window cannot open. torvelin-snap runs the same program without a window
and writes every screen as a PNG, for example:
  $(dirname "$viewer")/torvelin-snap --data $data --out snap --keys "enter enter"
then open snap/frame-*.png.
MSG
  exit 1
fi
cd "$data"
exec "$viewer"
