# What scripts/test and scripts/demo share: the Debian packages the project
# needs, installing the missing ones, and configuring and building the three
# build folders. Source this file; it sets VELLIPA_SOURCE_DIR.

VELLIPA_SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Everything both builds and the Wine tests use. Recommended packages are not
# installed: wine's would bring in sound, printing and GL stacks that nothing
# here needs, and fonts-wine is the one of them the desktop uses.
VELLIPA_PACKAGES=(
    cmake make g++ googletest libgtest-dev python3 libpng-dev
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine64 fonts-wine fonts-ipafont-gothic
    xvfb x11-utils xdotool imagemagick unzip
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
)

note() {
    echo "== $*"
}

missing_packages() {
    local package
    for package in "${VELLIPA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
            || echo "$package"
    done
}

# Installs what is missing when run as root; otherwise prints the one line
# to run and fails.
ensure_packages() {
    local missing
    missing=($(missing_packages))
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run this as root, then try again:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        return 1
    fi
    note "installing ${missing[*]}"
    local log="$VELLIPA_SOURCE_DIR/build/apt.log"
    mkdir -p "$(dirname "$log")"
    export DEBIAN_FRONTEND=noninteractive
    { apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; } \
        </dev/null >"$log" 2>&1 || {
        tail -n 30 "$log" >&2
        echo "apt-get could not install the packages (log: $log)" >&2
        return 1
    }
}

# configure_and_build FOLDER [CMAKE OPTIONS...]: build/FOLDER, two jobs.
configure_and_build() {
    local folder="$VELLIPA_SOURCE_DIR/build/$1"
    shift
    note "building $folder"
    mkdir -p "$folder"
    cmake -S "$VELLIPA_SOURCE_DIR" -B "$folder" "$@" >"$folder/configure.log" 2>&1 \
        || { tail -n 40 "$folder/configure.log" >&2; return 1; }
    cmake --build "$folder" -j2 >"$folder/build.log" 2>&1 \
        || { grep -E -A6 'error|Error' "$folder/build.log" | head -n 60 >&2; return 1; }
}

build_native() {
    configure_and_build native -DCMAKE_BUILD_TYPE=Release
}

build_sanitize() {
    configure_and_build sanitize -DCMAKE_BUILD_TYPE=Debug -DVELLIPA_SANITIZE=ON
}

build_windows() {
    configure_and_build windows \
        -DCMAKE_TOOLCHAIN_FILE="$VELLIPA_SOURCE_DIR/cmake/mingw-w64-x86_64.cmake"
}
