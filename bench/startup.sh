#!/usr/bin/env bash
# Start-up time of the real program under a virtual X display: launch to splash painted, launch
# to the data-entry window painted after a click on the splash, and the click alone. Prints each
# run and the medians. Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (a Release build is fairer)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-10}"
probe="$build/bin/startup_probe"
[ -x "$probe" ] || { echo "startup.sh: build $probe first (ninja -C $build startup_probe)" >&2; exit 1; }

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  probe="$1"; runs="$2"
  "$probe" "$(date +%s%N)" >/dev/null 2>&1 || true   # warm the file cache once, not counted
  for i in $(seq "$runs"); do "$probe" "$(date +%s%N)" 2>/dev/null; done
' _ "$probe" "$runs" | tee /dev/stderr | awk '
  { s[NR] = $2; m[NR] = $4; c[NR] = $6; n = NR }
  function median(a,   i, j, t, k) {
    for (i = 1; i <= n; i++) k[i] = a[i]
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (k[j] < k[i]) { t = k[i]; k[i] = k[j]; k[j] = t }
    return (n % 2) ? k[(n + 1) / 2] : (k[n / 2] + k[n / 2 + 1]) / 2
  }
  END { if (n == 0) exit 1; printf "median of %d runs (ms): splash %.1f  menu %.1f  click-to-menu %.1f\n", n, median(s), median(m), median(c) }'
