#!/bin/bash
# Runs one self-checking Windows program of the build in the shared headless prefix; its exit
# code is the number of failed checks.
#   run_check.sh PROGRAM BUILD_DIR
set -u
source "$(dirname "$0")/../wine_env.sh"
wine_env_init "$2"
timeout 120 wine "$SHEETPUSH_BIN/$1.exe"
