#!/bin/bash
# Runs one self-checking Windows program of the build in the shared headless prefix. It passes
# only when the program ran to its end and reported its checks, none failed.
#   run_check.sh PROGRAM BUILD_DIR
set -u
source "$(dirname "$0")/../wine_env.sh"
wine_env_init "$2"
log="$2/$1.out"
timeout 120 wine "$SHEETPUSH_BIN/$1.exe" >"$log" 2>&1
status=$?
tr -d '\r' <"$log" | grep -v 'wine32\|multiarch\|dpkg\|apt-get'
[ "$status" -eq 0 ] && grep -Eq '^[1-9][0-9]* passed, 0 failed' "$log"
