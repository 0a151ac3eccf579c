#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs the suite headless: a memory fault or undefined behaviour fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --no-build
# Qt keeps some memory until the process ends; leaks are not what this run looks for. Strict
# string checks stay off: libxkbcommon hands strndup strings that are not NUL-terminated.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_WITH_TEMPLATES=ON -DZORBEL_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)"
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
