#!/usr/bin/env bash
# scripts/check-display: which situations count as "no display", and that the
# message names the batch program of the build folder by its real path.
#   check_display_test.sh SCRIPT BUILD
set -u
script="$1" build="$2"
failures=0
check() {  # expected-status expected-text env-settings...
  local status=$1 text=$2; shift 2
  local err
  err="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$script" "$build" 2>&1 >/dev/null)"
  local got=$?
  if [ "$got" -ne "$status" ] || ! grep -qF -- "$text" <<<"$err"; then
    echo "FAIL: $* -> status $got (want $status), stderr:"; echo "$err"; failures=$((failures + 1))
  fi
}
batch="$(cd "$build" && pwd)/src/cli/dorvax-hconv-batch"
check 1 "neither DISPLAY nor WAYLAND_DISPLAY is set" XDG_RUNTIME_DIR=/nonexistent
check 1 "$batch --yes SOURCE DEST" XDG_RUNTIME_DIR=/nonexistent
check 1 "DISPLAY=:87 does not answer" DISPLAY=:87
check 1 "WAYLAND_DISPLAY=wayland-87 cannot be used" WAYLAND_DISPLAY=wayland-87 XDG_RUNTIME_DIR=/nonexistent
check 0 "" QT_QPA_PLATFORM=offscreen
[ -x "$batch" ] || { echo "FAIL: the message names $batch, which is not there"; failures=$((failures + 1)); }
if command -v xvfb-run >/dev/null; then
  # A display that answers: the check passes and prints nothing.
  out="$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM xvfb-run -a "$script" "$build" 2>&1)" ||
    { echo "FAIL: under Xvfb: $out"; failures=$((failures + 1)); }
  [ -z "$out" ] || { echo "FAIL: under Xvfb it printed: $out"; failures=$((failures + 1)); }
fi
[ "$failures" -eq 0 ] && echo "check-display: all cases passed"
exit "$failures"
