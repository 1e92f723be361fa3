#!/bin/bash
# Times the plugin under Wine as the host loads it: builds Quorrel.dll and
# quorrel-timing in build/win64 and runs them in an 80x25 terminal console.
#
#   bench/wine-timing.sh [--before REV] [quorrel-timing options]
#
# --before REV also builds the module of revision REV (in build/timing-before)
# and times it in the same run, each size taking the two in turn. The other
# options go to quorrel-timing (--size WxH, --runs N, --keys N, --idle N,
# --trace; --help lists them).
set -u
root=$(cd "$(dirname "$(realpath "$0")")/.." && pwd)
cd "$root"
. cmake/prereqs.sh

before=""
args=()
while [ $# -gt 0 ]; do
    case "$1" in
    --before)
        [ $# -ge 2 ] || { echo "wine-timing: --before wants a revision" >&2; exit 2; }
        before=$2
        shift 2
        ;;
    -h | --help)
        sed -n '2,11s/^# \{0,1\}//p' "$0"
        exit 0
        ;;
    *)
        args+=("$1")
        shift
        ;;
    esac
done

quorrel_install_prereqs >&2 || exit 1
toolchain=toolchain-x86_64-w64-mingw32.cmake
quorrel_configure build/win64 "$toolchain" >/dev/null || exit 1
cmake --build build/win64 --target quorrel-timing Quorrel >&2 || exit 1

plugins=()
if [ -n "$before" ]; then
    rev=$(git rev-parse --verify --quiet "$before^{commit}") ||
        { echo "wine-timing: no revision $before" >&2; exit 2; }
    dir=build/timing-before
    if [ "$(cat "$dir/revision" 2>/dev/null)" != "$rev" ]; then
        rm -rf "$dir" && mkdir -p "$dir/src" || exit 1
        git archive "$rev" | tar -x -C "$dir/src" || exit 1
        echo "$rev" >"$dir/revision"
    fi
    # The module alone, with this tree's toolchain.
    cmake -S "$dir/src" -B "$dir/build" -G Ninja -DQUORREL_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null || exit 1
    cmake --build "$dir/build" --target Quorrel >&2 || exit 1
    plugins=(--plugin "before=Z:$root/$dir/build/Quorrel.dll" --plugin "after=Z:$root/build/win64/Quorrel.dll")
fi

exec cmake/wine-run.sh build/win64/quorrel-timing.exe "${plugins[@]}" "${args[@]}"
