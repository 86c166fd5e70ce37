#!/usr/bin/env bash
# Builds the libFuzzer programs with clang and runs each target for a while:
#   fuzz/run.sh [SECONDS] [TARGET...]     (default 60 s each, every target)
# New inputs go to build-fuzz/corpus/<target>, seeded from fuzz/corpus/<target>;
# a finding is written to build-fuzz/findings/<target>/ and stops that target.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings shikou yaku_cnt lan_partners hiscore contine tumikomi
                                      analyze lan_host lan_guest catalogue game_record)
cxx=${FUZZ_CXX:-clang++}

if ! command -v "$cxx" >/dev/null; then
  echo "make fuzz: $cxx is not installed (Debian: apt-get install clang libclang-rt-14-dev)" >&2
  exit 1
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '#include <cstddef>\n#include <cstdint>\nextern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n' \
  >"$probe/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>"$probe/err"; then
  echo "make fuzz: clang's fuzzer runtime is missing; $cxx cannot link -fsanitize=fuzzer." >&2
  echo "  Debian: apt-get install libclang-rt-14-dev (for clang 14)" >&2
  sed 's/^/  /' "$probe/err" | head -5 >&2
  exit 1
fi

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSEKIBA_FUZZ=ON -DSEKIBA_QT=OFF ${FUZZ_CMAKE_ARGS:-} >/dev/null || exit 1
cmake --build build-fuzz -j "${JOBS:-2}" --target $(printf 'fuzz_%s ' "${targets[@]}") || exit 1

root=$(pwd)
status=0
for t in "${targets[@]}"; do
  corpus="$root/build-fuzz/corpus/$t" findings="$root/build-fuzz/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "== fuzz_$t: ${seconds} s" >&2
  # One process per target: the machine's cores are shared.
  if ! "$root/build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -print_final_stats=1 -artifact_prefix="$findings/" ${FUZZ_ARGS:-} \
         "$corpus" "$root/fuzz/corpus/$t" 2>&1 | grep -v '^#[0-9]' | tail -n 25; then
    status=1
  fi
  if [ -n "$(ls -A "$findings")" ]; then
    echo "fuzz_$t: finding(s) in $findings" >&2
    status=1
  fi
done
exit $status
