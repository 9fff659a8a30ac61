# Sourced by the other scripts: installs what the build needs when it is
# missing (as root, through apt-get) and points JAVA_HOME at the JDK.
packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev
          openjdk-17-jdk-headless junit5
          g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 wine64)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages: ${missing[*]} (run as root, or install them)" >&2
        exit 1
    fi
    echo "installing: ${missing[*]}"
    apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi
export JAVA_HOME=${JAVA_HOME:-/usr/lib/jvm/java-17-openjdk-amd64}
cd "$(dirname "${BASH_SOURCE[0]}")/.."
