#!/bin/bash
# Times the chart of the Far 3 edition in the real Far 3 against the chart of
# the Far 1.x edition, both under the same 64-bit Wine, in one run:
#
#   bench/far3-timing.sh [--runs N] [--keys N]
#
# Builds in build/win64 (the Far 3 package, the Far 1.x module, our host,
# quorrel-timing and quorrel-far3-timing), installs Far 3 from
# $QUORREL_FAR3 or ../shared/far3 with the package into
# build/win64/far3-timing (its own Wine prefix), and reports in an 80x25
# terminal console:
#   1. the Far 1.x chart as bench/wine-timing.sh measures it (quorrel-timing:
#      the module in our host, timed through its own console calls);
#   2. both charts from outside, as a user sees them (quorrel-far3-timing:
#      Enter on the plugin menu's item to the chart on the screen, a key to
#      the status line's new code), the real Far 3 first and our host with
#      the Far 1.x module second, and their ratio.
# --runs: openings per host (default 20); --keys: keys per host (default 40).
set -u
root=$(cd "$(dirname "$(realpath "$0")")/.." && pwd)
cd "$root"
. cmake/prereqs.sh
. cmake/far3-env.sh

runs=20
keys=40
while [ $# -gt 0 ]; do
    case "$1" in
    --runs | --keys)
        [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || { echo "far3-timing: $1 wants a positive number" >&2; exit 2; }
        [ "$1" = --runs ] && runs=$2 || keys=$2
        shift 2
        ;;
    -h | --help)
        sed -n '2,19s/^# \{0,1\}//p' "$0"
        exit 0
        ;;
    *)
        echo "far3-timing: unknown option $1 (see --help)" >&2
        exit 2
        ;;
    esac
done

if ! far3=$(quorrel_far3_folder "$root"); then
    echo 'far3-timing: no Far 3 at ../shared/far3 or $QUORREL_FAR3' >&2
    exit 1
fi
quorrel_install_prereqs >&2 || exit 1
quorrel_configure build/win64 toolchain-x86_64-w64-mingw32.cmake >/dev/null || exit 1
cmake --build build/win64 --target far3_package Quorrel quorrel-host quorrel-timing quorrel-far3-timing >&2 ||
    exit 1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)

work=$root/build/win64/far3-timing
quorrel_far3_install "$work" "$far3" "build/win64/Quorrel-$version-far3-x64.zip" || exit 1
trap 'quorrel_far3_stop "$work"' EXIT
mkdir -p "$work/profiles/timing"
# Files for the panels' cursor to move over (each host's own speed).
for f in a b c; do : > "$work/files/$f.txt"; done
win() { quorrel_windows_path "$1"; }
far3_line="\"$(win "$work/far")\\Far.exe\" -p\"$(win "$work/plugins")\" -set:Screen.Clock=false \"$(win "$work/files")\" -s \"$(win "$work/profiles/timing")\""
host_line="\"$(win "$root/build/win64")\\quorrel-host.exe\""

echo "== the Far 1.x chart as bench/wine-timing.sh measures it (in our host, through its console calls)"
cmake/wine-run.sh --cols 80 --rows 25 build/win64/quorrel-timing.exe --size 80x25 --runs "$runs" || exit 1
echo "== both charts from outside: the console's input to its cells (far3: the real Far 3; far1: our host)"
cmake/wine-run.sh --cols 80 --rows 25 build/win64/quorrel-far3-timing.exe --folder "$(win "$work/files")" \
    --runs "$runs" --keys "$keys" --host "far3=$far3_line" --host "far1=$host_line"
