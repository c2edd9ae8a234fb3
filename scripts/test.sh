#!/usr/bin/env bash
# Builds everything and runs every test: the Linux core, tool and
# conformance tests, then the Windows DLL under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
(cd tests/conformance && npm ci --no-audit --no-fund --silent)
cmake --preset default
cmake --build --preset default
ctest --preset default
# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer, then
# about two minutes of fuzzing from the kept corpus (new inputs go to a
# scratch folder; a failing input is written to build/sanitize/fuzz).
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
mkdir -p build/sanitize/fuzz/corpus
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  build/sanitize/tests/scenario_fuzz -max_total_time=120 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=build/sanitize/fuzz/ build/sanitize/fuzz/corpus tests/fuzz/corpus tests/fuzz/regressions
cmake --preset windows-x86 -DVELDRANE_COMGEN_JOBS=2
cmake --build --preset windows-x86
ctest --test-dir build/windows-x86 --output-on-failure
