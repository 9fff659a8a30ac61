#!/usr/bin/env bash
# Builds the library and publishes a few frames through the Java class.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
cmake --preset linux >/dev/null
cmake --build --preset linux >/dev/null
out=build/linux/demo
mkdir -p "$out"
"$JAVA_HOME/bin/javac" -d "$out" -cp build/linux/mumblelink.jar demo/FirstFrames.java
"$JAVA_HOME/bin/java" -Djava.library.path=build/linux -cp "$out:build/linux/mumblelink.jar" FirstFrames
