# Sourced by ./test and ./run: installs what the builds need, with apt-get,
# only when something is missing.
QUORREL_PACKAGES="cmake g++ ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 g++-mingw-w64-i686-win32 wine wine64
  googletest libgtest-dev libbenchmark-dev bsdutils util-linux tmux unicode-data
  clang libclang-rt-dev"

quorrel_missing_packages() {
    local pkg installed missing=""
    # One dpkg-query for all: ./run asks on every start.
    installed=" $(dpkg-query -W -f='${Package}:${Status}\n' $QUORREL_PACKAGES 2>/dev/null |
                  sed -n 's/:install ok installed$//p' | tr '\n' ' ')"
    for pkg in $QUORREL_PACKAGES; do
        [[ $installed == *" $pkg "* ]] || missing="$missing $pkg"
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

# Whether a folder's C++ compiler is the one its toolchain names (natively:
# whether it has one at all).
quorrel_same_compiler() {
    local dir=$1 toolchain=$2 root=$3 cached wanted
    cached=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$dir"/CMakeFiles/*/CMakeCXXCompiler.cmake 2>/dev/null | head -1)
    [ -n "$toolchain" ] || { [ -n "$cached" ]; return; }
    wanted=$(sed -n 's/^set(CMAKE_CXX_COMPILER \([^ )]*\)).*/\1/p' "$root/cmake/$toolchain")
    [ "$(basename "$cached")" = "$wanted" ]
}

# Configures a build folder once: quorrel_configure DIR [toolchain]
quorrel_configure() {
    local dir=$1 toolchain=${2:-} root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    if [ -f "$dir/build.ninja" ] && [ -f "$dir/CMakeCache.txt" ]; then
        quorrel_same_compiler "$dir" "$toolchain" "$root" && return 0
        # CMake keeps the compiler it found first: a toolchain that names
        # another one (the release build's thread model, say) needs a fresh folder.
        echo "== $dir: its toolchain names another compiler, configuring it afresh"
        rm -rf "$dir"
    fi
    if [ -n "$toolchain" ]; then
        cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain"
    else
        cmake -S "$root" -B "$dir" -G Ninja
    fi
}
