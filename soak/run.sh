#!/usr/bin/env bash
# The full soak runs, in the sanitizer build (build-test):
#   soak/run.sh [SIM_GAMES] [GAME_GAMES]     (default 10000 and 200)
# sekiba-tool sim plays SIM_GAMES games, the game itself GAME_GAMES games of
# automatic play on the offscreen platform. Each must end without a finding and
# with its resident size after the last game within 5 % of that after a tenth.
set -euo pipefail
cd "$(dirname "$0")/.."
sim_games=${1:-10000}
game_games=${2:-200}
build=${SOAK_BUILD:-build-test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DSEKIBA_SANITIZE=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target sekiba-tool sekiba-soak
# A small quarantine: the default one keeps up to 256 MB of freed memory, whose
# filling would hide the line that is to be flat.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:quarantine_size_mb=8} QT_QPA_PLATFORM=offscreen

# "name first last json": fails when the resident size grew by more than 5 %.
flat() {
  python3 - "$@" <<'PY'
import json, sys
name, first, last, text = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
r = json.loads(text)["rss_kib"]
a, b = r[first], r[last]
growth = (b - a) / a * 100
print(f"{name}: resident {a} KiB after game {first}, {b} KiB after game {last} ({growth:+.1f} %)")
sys.exit(0 if abs(growth) <= 5 else 1)
PY
}

status=0
start=$(date +%s)
out=$("$build/sekiba-tool" sim --games "$sim_games" --seed 1 --rss-at "$((sim_games / 10)),$sim_games")
echo "sim: $out ($(( $(date +%s) - start )) s)"
flat sim "$((sim_games / 10))" "$sim_games" "$out" || status=1

start=$(date +%s)
out=$(cd "$build" && ./sekiba-soak "$game_games" "$((game_games / 10))" "$game_games")
echo "game: $out ($(( $(date +%s) - start )) s)"
flat game "$((game_games / 10))" "$game_games" "$out" || status=1
exit $status
