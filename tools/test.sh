#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. --sanitize: the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh --tests
dir=$(tools/build.sh "${1:-}" | tail -n 1)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
