#!/usr/bin/env bash
# Runs one Windows test program under Wine in the prepared prefix.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
exec "$WINE" "$@"
