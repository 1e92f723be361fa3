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
. "$source_dir/cmake/far3-env.sh"

if ! far3=$(quorrel_far3_folder "$source_dir"); then
    echo 'skipped: no Far 3 at ../shared/far3 or $QUORREL_FAR3'
    exit 77
fi
if [ ! -f "$package" ]; then
    echo "e2e_far3: no package $package; make it with: cmake --build $build_dir" >&2
    exit 1
fi

work=$build_dir/e2e_far3
quorrel_far3_install "$work" "$far3" "$package" || exit 1
export QUORREL_E2E_FAR=$(quorrel_windows_path "$work/far")
export QUORREL_E2E_PLUGINS=$(quorrel_windows_path "$work/plugins")
export QUORREL_E2E_WORK=$(quorrel_windows_path "$work")
"$source_dir/cmake/wine-run.sh" --cols 100 --rows 30 "$driver" \
    "--gtest_output=xml:$(quorrel_windows_path "$report")" "$@"
status=$?
quorrel_far3_stop "$work"
exit $status
