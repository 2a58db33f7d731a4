#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (OpenGL tests on a
# virtual X server this script starts itself).
# usage: tools/test.sh              normal build in build/
#        tools/test.sh --sanitize   AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh

build=build
config=()
if [[ "${1:-}" == "--sanitize" ]]; then
  build=build-asan
  config=(-DOSTREL_SANITIZE=ON)
  # Leaks inside system libraries are listed, with reasons, in lsan.supp.
  # intercept_tls_get_addr=0: this runtime's record of dynamically allocated
  # thread-local blocks can hold a bogus entry for one of the GL driver's
  # modules, and the leak check then dies reading it ("Tracer caught signal
  # 11"), depending only on the process's memory layout. Those blocks belong
  # to dlopened libraries; our own code's thread-locals are static and are
  # still scanned.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:intercept_tls_get_addr=0"
  export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

cmake -S . -B "$build" -G Ninja "${config[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
bash tools/with-xvfb.sh ctest --test-dir "$build" -j"$(nproc)" --output-on-failure --timeout 300
