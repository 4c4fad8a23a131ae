#!/usr/bin/env bash
# Runs one of the 64-bit image checkers under Wine against a server executable.
#   static_check.sh <prefix build dir> <checker.exe> <Sheetpush.exe> [checker arguments...]
set -euo pipefail
source "$(dirname "$0")/../wine_env.sh"
prefix_dir=$1 checker=$2 server=$3
shift 3
if [ ! -f "$checker" ]; then
    echo "no checker at $checker: build the windows-x64 preset first" >&2
    exit 1
fi
wine_env_init "$prefix_dir"
wine "$checker" "$(wine_path "$server")" "$@"
