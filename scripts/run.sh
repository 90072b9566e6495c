#!/usr/bin/env bash
# Starts Tallyroll from a build folder. Until the desktop window lands this shows the
# command-line tool at work.
set -euo pipefail
build_dir=${1:-build}
cli="$build_dir/src/cli/tallyroll-cli"
echo "Tallyroll command-line demonstration"
for args in "1.75 --denominator 8" "2:45" "-2.25 --denominator 4" "0.125 --denominator 100 --rounding even"; do
  echo
  echo "\$ tallyroll-cli convert $args"
  # shellcheck disable=SC2086
  "$cli" convert $args
done
