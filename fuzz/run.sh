#!/usr/bin/env bash
# Builds the fuzz targets with clang 14 (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs one of them for FUZZ_SECONDS (default
# 60) on a fresh copy of its seed corpus: `run.sh` or `run.sh build_fuzzer`
# fuzzes the build (seeds in fuzz/seeds), `run.sh decode_fuzzer` the decoder
# of the compiled files (seeds in fuzz/decode_seeds), `run.sh lsp_fuzzer`
# the language server's message reader and documents (seeds in
# fuzz/lsp_seeds). Any crash, sanitizer report, leak or hang
# (one input running longer than 10 s) makes it exit non-zero; the input that
# caused it is kept in build-fuzz/artifacts/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
target=${1:-build_fuzzer}
case $target in
  build_fuzzer) seeds=$root/fuzz/seeds ;;
  decode_fuzzer) seeds=$root/fuzz/decode_seeds ;;
  lsp_fuzzer) seeds=$root/fuzz/lsp_seeds ;;
  *) echo "fuzz: unknown target $target (build_fuzzer, decode_fuzzer or lsp_fuzzer)" >&2; exit 64 ;;
esac
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

corpus=$root/fuzz/corpus-run/$target
rm -rf "$corpus"
mkdir -p "$corpus" "$build/artifacts"
echo "fuzz: running $target for ${seconds} s"
"$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$corpus" "$seeds"
echo "fuzz: $target: no crash, sanitizer report, leak or hang in ${seconds} s"
