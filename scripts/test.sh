#!/usr/bin/env bash
# Builds everything and runs every check: the fuzz harnesses over their seed
# corpora, the unit tests under AddressSanitizer + UndefinedBehaviorSanitizer,
# then the unit tests of the normal build, whose summary closes the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh test

jobs=${LUMORA_JOBS:-2}
# ccache keeps compiled objects between runs and between checkouts of the
# same sources (paths are taken relative to the checkout).
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# The sanitizer and fuzz builds cover the core; the GUI is built and tested
# (headless) in the normal build.
common=(-G Ninja -DLUMORA_BUILD_GUI=OFF "${launcher[@]}")

echo "== build"
cmake -S . -B build -G Ninja "${launcher[@]}" -DLUMORA_BUILD_GUI=ON -DLUMORA_BUILD_TESTS=ON -DLUMORA_BUILD_BENCH=ON >/dev/null
ninja -C build -j"$jobs"

echo "== build with AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan "${common[@]}" -DLUMORA_SANITIZE=ON -DLUMORA_BUILD_BENCH=OFF >/dev/null
ninja -C build-asan -j"$jobs"

echo "== build fuzz harnesses"
CC=clang CXX=clang++ cmake -S . -B build-fuzz "${common[@]}" -DLUMORA_BUILD_FUZZ=ON \
  -DLUMORA_BUILD_TESTS=OFF -DLUMORA_BUILD_BENCH=OFF >/dev/null
ninja -C build-fuzz -j"$jobs"

echo "== fuzz"
scripts/fuzz.sh build-fuzz "${LUMORA_FUZZ_SECONDS:-30}"

echo "== unit tests under sanitizers"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
   UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
   ctest -j"$jobs" --output-on-failure --timeout 600 >ctest.log 2>&1) \
  || { cat build-asan/ctest.log; exit 1; }
tail -n 3 build-asan/ctest.log

echo "== unit tests"
cd build
QT_QPA_PLATFORM=offscreen ctest -j"$jobs" --output-on-failure --timeout 600
