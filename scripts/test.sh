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
cmake --preset windows-x86 -DVELDRANE_COMGEN_JOBS=2
cmake --build --preset windows-x86
ctest --test-dir build/windows-x86 --output-on-failure
