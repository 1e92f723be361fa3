# Sourced by ./test and ./run: installs what the builds need, with apt-get,
# only when something is missing.
QUORREL_PACKAGES="cmake g++ ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 g++-mingw-w64-i686-win32 wine wine64
  googletest libgtest-dev libbenchmark-dev bsdutils util-linux tmux unicode-data
  clang libclang-rt-dev"

quorrel_missing_packages() {
    local pkg missing=""
    for pkg in $QUORREL_PACKAGES; do
        dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' ||
            missing="$missing $pkg"
    done
    echo $missing
}

quorrel_install_prereqs() {
    local missing sudo=""
    missing=$(quorrel_missing_packages)
    if [ -z "$missing" ]; then
        echo "prerequisites: all installed"
        return 0
    fi
    echo "prerequisites: installing $missing"
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then
            sudo="sudo"
        else
            echo "prerequisites: need root (or sudo) to install:$missing" >&2
            return 1
        fi
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing ||
        { echo "prerequisites: apt-get failed" >&2; return 1; }
    missing=$(quorrel_missing_packages)
    if [ -n "$missing" ]; then
        echo "prerequisites: still missing $missing" >&2
        return 1
    fi
}

# Whether a folder's cached C++ compiler is the one its toolchain names.
quorrel_same_compiler() {
    local dir=$1 toolchain=$2 root=$3 cached wanted=c++
    cached=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$dir"/CMakeFiles/*/CMakeCXXCompiler.cmake 2>/dev/null | head -1)
    if [ -n "$toolchain" ]; then
        wanted=$(sed -n 's/^set(CMAKE_CXX_COMPILER \([^ )]*\)).*/\1/p' "$root/cmake/$toolchain")
        [ "$(basename "$cached")" = "$wanted" ]
    else
        [ -n "$cached" ]
    fi
}

# Configures a build folder once: quorrel_configure DIR [toolchain]
quorrel_configure() {
    local dir=$1 toolchain=${2:-} root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    # A changed toolchain file (another compiler, say) needs a fresh folder:
    # CMake keeps the compiler it found first.
    local stamp="toolchain: ${toolchain:-none} $( [ -n "$toolchain" ] && sha1sum <"$root/cmake/$toolchain")"
    if [ -f "$dir/build.ninja" ] && [ -f "$dir/CMakeCache.txt" ]; then
        if [ "$(cat "$dir/.quorrel-toolchain" 2>/dev/null)" = "$stamp" ]; then
            return 0
        fi
        if [ ! -f "$dir/.quorrel-toolchain" ] && quorrel_same_compiler "$dir" "$toolchain" "$root"; then
            echo "$stamp" >"$dir/.quorrel-toolchain"  # a folder from before the stamp
            return 0
        fi
        echo "== $dir: its toolchain changed, configuring it afresh"
        rm -rf "$dir"
    fi
    mkdir -p "$dir" && echo "$stamp" >"$dir/.quorrel-toolchain"
    if [ -n "$toolchain" ]; then
        cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain"
    else
        cmake -S "$root" -B "$dir" -G Ninja
    fi
}
