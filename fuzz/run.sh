#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a while on a copy of its seed
# corpus. Findings are written as crash-*/timeout-*/leak-* files in the
# working folder, build-fuzz/findings/.
#   fuzz/run.sh [SECONDS_EACH] [TARGET...]     (default 120 s, number and program)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(number program)
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "Installing clang and its fuzzer runtime"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends clang libclang-rt-dev
fi
build=$PWD/build-fuzz
cmake -S . -B $build -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVELIN_FUZZ=ON >/dev/null
cmake --build $build -j2 --target $(printf 'fuzz_%s ' "${targets[@]}")
mkdir -p $build/findings
# The program's target works in a folder of its own under TMPDIR.
export TMPDIR=$build/tmp
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"
status=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  mkdir -p "$corpus"
  cp -n fuzz/corpus/$t/* "$corpus"/
  echo "== fuzz_$t for ${seconds} s"
  # The program's own message about a file without records is left out.
  # Absolute paths: the program's target works in a folder of its own.
  ($build/fuzz_$t -max_total_time="$seconds" -max_len=12000 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/findings/" -print_final_stats=1 "$corpus" 2>&1 || echo "fuzz_$t: FOUND A FAULT") |
    grep -v '^torvelin: observation file' | tee $build/findings/fuzz_$t.log
  grep -q "FOUND A FAULT" $build/findings/fuzz_$t.log && status=1
done
exit $status
