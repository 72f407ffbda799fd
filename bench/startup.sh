#!/usr/bin/env bash
# Start-up of the real program against a bare Qt window (one QLabel), launched in turn in the
# same run under one virtual X display. Prints each run, then the medians: launch to splash
# painted, to the data-entry window painted after a click on the splash, the click alone, the
# resident memory (VmRSS) at the data-entry window once the music is set up, the main thread's
# CPU time to the splash; the same for the bare window at its first paint; then the ratios.
# On a busy machine the wall-clock times swell; the CPU times much less.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (a Release build is fairer)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-10}"
probe="$build/bin/startup_probe"
bare="$build/bin/startup_bare"
for p in "$probe" "$bare"; do
  [ -x "$p" ] || { echo "startup.sh: build $p first (ninja -C $build startup_probe startup_bare)" >&2; exit 1; }
done

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  probe="$1"; bare="$2"; runs="$3"
  # Warm the file cache once, not counted.
  "$bare" "$(date +%s%N)" >/dev/null 2>&1 || true
  "$probe" "$(date +%s%N)" >/dev/null 2>&1 || true
  for i in $(seq "$runs"); do
    "$bare" "$(date +%s%N)" 2>/dev/null
    "$probe" "$(date +%s%N)" 2>/dev/null
  done
' _ "$probe" "$bare" "$runs" | tee /dev/stderr | awk '
  $1 == "bare"   { b[++nb] = $2; br[nb] = $4; bc[nb] = $8 }
  $1 == "splash" { s[++n] = $2; m[n] = $4; c[n] = $6; r[n] = $12; sc[n] = $14 }
  function median(a, count,   i, j, t, k) {
    for (i = 1; i <= count; i++) k[i] = a[i]
    for (i = 1; i <= count; i++) for (j = i + 1; j <= count; j++) if (k[j] < k[i]) { t = k[i]; k[i] = k[j]; k[j] = t }
    return (count % 2) ? k[(count + 1) / 2] : (k[count / 2] + k[count / 2 + 1]) / 2
  }
  END {
    if (n == 0 || nb == 0) exit 1
    ms = median(s, n); mb = median(b, nb); rs = median(r, n); rb = median(br, nb)
    cs = median(sc, n); cb = median(bc, nb)
    printf "median of %d runs: splash %.1f ms  menu %.1f ms  click-to-menu %.1f ms  menu RSS %.1f MB  main-thread CPU to splash %.1f ms\n", n, ms, median(m, n), median(c, n), rs, cs
    printf "bare Qt window: painted %.1f ms  RSS %.1f MB  main-thread CPU %.1f ms\n", mb, rb, cb
    printf "ratios: splash/bare time %.2f  splash/bare CPU %.2f  menu/bare RSS %.2f\n", ms / mb, cs / cb, rs / rb
  }'
