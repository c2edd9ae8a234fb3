#!/usr/bin/env bash
# Dumps every statement the lookup members compose and checks each with the
# T-SQL parser. Installs the parser (pinned in package.json) on first use.
set -euo pipefail
dump=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/node-sql-parser" ]; then
  (cd "$here" && npm ci --no-audit --no-fund --silent)
fi
"$dump" "$work/statements.json"
node "$here/check_statements.mjs" "$work/statements.json"
