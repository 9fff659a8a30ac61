#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64 in a throwaway prefix.
set -euo pipefail
prefix=$(mktemp -d)
trap 'wineserver_pid=; WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wine64 "$@"
