#!/usr/bin/env bash
# Runs a JVM command, shows its output, and fails when it fails or when the
# JVM's JNI checks or crash handler spoke: "WARNING in native method" from
# -Xcheck:jni, "FATAL ERROR" from a failed check, a crash log for a fault.
set -u
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" >"$log" 2>&1
status=$?
cat "$log"
if grep -q -E 'WARNING in native method|FATAL ERROR|A fatal error has been detected' "$log"; then
    echo "JVM reported misuse or a crash" >&2
    exit 1
fi
exit $status
