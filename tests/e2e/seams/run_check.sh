#!/bin/bash
# Runs one self-checking Windows program of the build in the shared headless prefix. It passes
# only when the program ran to its end and reported its checks, none failed.
#   run_check.sh PROGRAM BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../wine_env.sh"
wine_env_init "$2" "checks/$1"
run_checks 120 "$1"
finish "$1"
