#!/usr/bin/env bash
# Builds everything and runs every test: the Linux core, tool and
# conformance tests, the same suite under the sanitizers and a bounded fuzz
# run, then the Windows DLL of each architecture under wine.
# The 64-bit DLL is exercised on every machine; the 32-bit one only where
# the machine can execute 32-bit code (elsewhere its tests report skipped,
# with the reason).
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
# The fuzzer's progress goes to build/sanitize/fuzz/log; its count of runs
# is shown, the whole log when it fails.
mkdir -p build/sanitize/fuzz/corpus
if ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  build/sanitize/tests/scenario_fuzz -max_total_time=120 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=build/sanitize/fuzz/ build/sanitize/fuzz/corpus tests/fuzz/corpus tests/fuzz/regressions \
  >build/sanitize/fuzz/log 2>&1; then
  grep "^Done " build/sanitize/fuzz/log
else
  cat build/sanitize/fuzz/log
  exit 1
fi
# The 64-bit build makes the generator for the build machine; the 32-bit
# build reuses it. In each architecture's suite the COM fuzzer
# (tests/wine/com_fuzz.cpp) replays its kept seeds and runs new rounds for
# a minute in all; its seeds and count of calls are shown at the end.
export VELDRANE_COM_FUZZ_SECONDS=60
cmake --preset windows-x64 -DVELDRANE_COMGEN_JOBS=2
cmake --build --preset windows-x64
ctest --preset windows-x64
cmake --preset windows-x86 -DVELDRANE_COMGEN="$PWD/build/windows-x64/comgen-native/comgen"
cmake --build --preset windows-x86
ctest --preset windows-x86
grep -H '^com_fuzz: .* calls' build/windows-*/Testing/Temporary/LastTest.log 2>/dev/null |
  sed 's|^build/\(windows-[^/]*\)/[^:]*:|\1 |' || true
# Say why tests were skipped, not only that they were.
grep -h '^SKIPPED:' build/windows-*/Testing/Temporary/LastTest.log 2>/dev/null | sort -u || true
