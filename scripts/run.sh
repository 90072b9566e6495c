#!/usr/bin/env bash
# Starts the Tallyroll desktop program from a build folder.
set -euo pipefail
build_dir=${1:-build}
program="$build_dir/src/app/tallyroll"
if [[ ! -x "$program" ]]; then
  echo "run.sh: $program was not built; Qt 6 (qt6-base-dev) is needed for the desktop program." >&2
  exit 1
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Run Tallyroll on a virtual X display instead:" >&2
  echo "  xvfb-run -a $program" >&2
  echo "or, through make: xvfb-run -a make run" >&2
  exit 1
fi
exec "$program" "${@:2}"
