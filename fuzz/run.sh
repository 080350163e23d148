#!/usr/bin/env bash
# Builds the build fuzz target with clang 14 (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for FUZZ_SECONDS (default 60) on a
# fresh copy of the seed corpus. Any crash, sanitizer report, leak or hang
# (one input running longer than 10 s) makes it exit non-zero; the input that
# caused it is kept in build-fuzz/artifacts/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

fuzzer_runtime() { ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; }
if ! command -v clang++-14 >/dev/null || ! fuzzer_runtime; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    echo "fuzz: installing clang 14 and its fuzzer runtime"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang-14 libclang-rt-14-dev >/dev/null
  else
    echo "fuzz: clang++-14 with libclang-rt-14-dev is needed" >&2
    exit 1
  fi
fi

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2

corpus=$root/fuzz/corpus-run
rm -rf "$corpus"
mkdir -p "$corpus" "$build/artifacts"
echo "fuzz: running build_fuzzer for ${seconds} s"
"$build/build_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$corpus" "$root/fuzz/seeds"
echo "fuzz: no crash, sanitizer report, leak or hang in ${seconds} s"
