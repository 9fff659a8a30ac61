#!/usr/bin/env bash
# Builds every target and runs every test.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
for preset in linux windows-x86 windows-x64; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
