#!/usr/bin/env bash
# Compares the start of Tallomar's menu with an empty Qt widgets program:
# whole processes, started and ended N times each (default 30).
set -euo pipefail
build=${1:-build}
runs=${2:-30}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
measure() {
  local start end
  start=$(date +%s%N)
  for _ in $(seq "$runs"); do "$build/bench/bench_startup" "$1" >/dev/null 2>&1; done
  end=$(date +%s%N)
  echo $(( (end - start) / runs / 1000 ))
}
"$build/bench/bench_startup" empty >/dev/null 2>&1 # warm the caches
empty=$(measure empty)
menu=$(measure menu)
echo "empty widgets program: ${empty} us per start"
echo "Tallomar menu:         ${menu} us per start"
awk -v a="$menu" -v b="$empty" 'BEGIN { printf "ratio: %.2f (budget 1.5)\n", a / b }'
