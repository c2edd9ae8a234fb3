#!/bin/sh
# skip_unless_runs.sh LOADER COMMAND...
# Runs COMMAND, or reports the test skipped (exit status 77) when this
# machine cannot start the wine loader LOADER: some machines refuse every
# 32-bit binary, so the 32-bit DLL is built there but cannot be exercised.
loader=$1
shift
if ! why=$("$loader" --version 2>&1); then
  echo "SKIPPED: this machine cannot run $loader (${why:-no reason given}); the 32-bit DLL is built but not exercised here"
  exit 77
fi
exec "$@"
