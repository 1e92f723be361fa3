#!/bin/bash
# The end-to-end suite in the real Far 3 (x64) under 64-bit Wine:
#   run-suite.sh SOURCE_DIR BUILD_DIR PACKAGE.zip DRIVER.exe REPORT.xml [driver options]
# Far 3 comes from $QUORREL_FAR3, or else from ../shared/far3 beside the
# source tree (for a git worktree, also beside its main checkout). Without
# it the suite prints one line, "skipped: ...", and ends with 77, which
# CTest counts as skipped.
#
# Each run starts from nothing, in BUILD_DIR/e2e_far3: a private copy of
# Far, the package unpacked into a plugins folder of its own (Far loads
# only that folder, -p), a Wine prefix of its own made from the machine's
# template (cmake/wine-prefix.sh), files and one Far profile per test. The
# driver runs in a 100x30 pseudo terminal (cmake/wine-run.sh) and starts
# Far in its own console, where it reads the screen and types.
set -u
if [ $# -lt 5 ]; then
    echo "usage: $0 SOURCE_DIR BUILD_DIR PACKAGE.zip DRIVER.exe REPORT.xml [driver options]" >&2
    exit 2
fi
source_dir=$(realpath "$1")
build_dir=$(realpath "$2")
package=$3
driver=$4
report=$5
shift 5

# Where Far 3 is, or nothing.
far3_folder() {
    local candidates=() main
    if [ -n "${QUORREL_FAR3:-}" ]; then
        candidates=("$QUORREL_FAR3")
    else
        candidates=("$source_dir/../shared/far3")
        main=$(git -C "$source_dir" rev-parse --path-format=absolute --git-common-dir 2>/dev/null) &&
            candidates+=("$(dirname "$main")/../shared/far3")
    fi
    local c
    for c in "${candidates[@]}"; do
        [ -f "$c/Far.exe" ] && { realpath "$c"; return 0; }
    done
    return 1
}

if ! far3=$(far3_folder); then
    echo 'skipped: no Far 3 at ../shared/far3 or $QUORREL_FAR3'
    exit 77
fi
if [ ! -f "$package" ]; then
    echo "e2e_far3: no package $package; make it with: cmake --build $build_dir" >&2
    exit 1
fi

work=$build_dir/e2e_far3
windows_path() { echo "Z:${1//\//\\}"; }

. "$source_dir/cmake/wine-prefix.sh"
# A Wine server still running on the last run's prefix goes first.
stop_wine() {
    [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
    return 0
}
stop_wine
chmod -R u+w "$work/far" "$work/plugins" 2>/dev/null  # not the prefix: hard links to the template
rm -rf "$work"
mkdir -p "$work/plugins" "$work/files" "$work/profiles" || exit 1
# Writable, whatever the modes of the original (a read-only copy of shared/).
cp -r --no-preserve=mode,ownership "$far3" "$work/far" || exit 1
(cd "$work/plugins" && cmake -E tar xf "$(realpath "$package")") || {
    echo "e2e_far3: cannot unpack $package" >&2
    exit 1
}
unset DISPLAY WAYLAND_DISPLAY
quorrel_wine_prefix "$work/prefix" || exit 1

export QUORREL_E2E_FAR=$(windows_path "$work/far")
export QUORREL_E2E_PLUGINS=$(windows_path "$work/plugins")
export QUORREL_E2E_WORK=$(windows_path "$work")
"$source_dir/cmake/wine-run.sh" --cols 100 --rows 30 "$driver" \
    "--gtest_output=xml:$(windows_path "$report")" "$@"
status=$?
stop_wine
exit $status
