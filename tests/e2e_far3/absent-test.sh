#!/bin/bash
# The e2e_far3 suite without Far 3, and how ./test counts a skipped suite:
#   absent-test.sh SOURCE_DIR
# run-suite.sh must say "skipped: ..." and end with 77 (CTest's skip) when
# $QUORREL_FAR3 holds no Far.exe, and fail, not skip, when Far is there but
# the package is not; cmake/test-count.sh must count a skipped entry and
# GoogleTest's skipped tests as skipped, never as passed or failed.
set -u
source_dir=$(realpath "$1")
runner=$source_dir/tests/e2e_far3/run-suite.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/e2e-far3-absent.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

mkdir -p "$work/empty" "$work/far-only" "$work/build"
: >"$work/far-only/Far.exe"
skip_line='skipped: no Far 3 at ../shared/far3 or $QUORREL_FAR3'
# name | QUORREL_FAR3 | exit status | the output's first line
cases="
empty folder   |$work/empty    |77|$skip_line
no such folder |$work/missing  |77|$skip_line
far, no package|$work/far-only |1 |e2e_far3: no package $work/build/none.zip; make it with: cmake --build $work/build
"
while IFS='|' read -r name far3 want line; do
    [ -z "$name" ] && continue
    want=${want// /}
    far3=${far3%% *}
    out=$(QUORREL_FAR3=$far3 "$runner" "$source_dir" "$work/build" "$work/build/none.zip" \
          "$work/build/none.exe" "$work/build/report.xml" 2>&1)
    status=$?
    [ "$status" = "$want" ] || fail "$name: exit status $status, want $want"
    [ "$out" = "$line" ] || fail "$name: the output is [$out], want [$line]"
    [ -e "$work/build/report.xml" ] && fail "$name: a report was written"
    [ -e "$work/build/e2e_far3" ] && fail "$name: the work folder was made"
done <<<"$cases"

# A made-up CTest log and reports: one suite with two tests passed and one
# skipped by GoogleTest, one failed, one skipped whole, one entry without a report.
mkdir -p "$work/counted/test-results"
cat >"$work/counted/ctest.log" <<'LOG'
1/4 Test #1: mixed ............................   Passed    1.00 sec
2/4 Test #2: broken ...........................***Failed    1.00 sec
3/4 Test #3: e2e_far3 .........................***Skipped   0.01 sec
4/4 Test #4: dll_check ........................   Passed    0.10 sec
LOG
cat >"$work/counted/test-results/mixed.xml" <<'XML'
<testsuites>
    <testcase name="A" status="run" result="completed" time="0." classname="S" />
    <testcase name="B" status="run" result="completed" time="0." classname="S">
    </testcase>
    <testcase name="C" status="run" result="skipped" time="0." classname="S">
      <skipped message="no chart yet"><![CDATA[]]></skipped>
    </testcase>
</testsuites>
XML
cat >"$work/counted/test-results/broken.xml" <<'XML'
<testsuites>
    <testcase name="A" status="run" result="completed" time="0." classname="T">
      <failure message="x" type=""><![CDATA[x]]></failure>
    </testcase>
</testsuites>
XML
mkdir -p "$work/counted/Testing/Temporary"
cat >"$work/counted/Testing/Temporary/LastTest.log" <<LOG
2/4 Testing: broken
skipped: not this one
3/4 Testing: e2e_far3
Output:
$skip_line
4/4 Testing: dll_check
LOG
. "$source_dir/cmake/test-count.sh"
passed=0 failed=0 skipped=0
quorrel_ctest_count "$work/counted" "$work/counted/ctest.log" >"$work/counted/out"
[ "$passed $failed $skipped" = "3 1 2" ] ||
    fail "counting: $passed passed, $failed failed, $skipped skipped; want 3, 1 and 2"
[ "$(cat "$work/counted/out")" = "== e2e_far3: $skip_line" ] ||
    fail "counting says [$(cat "$work/counted/out")], want the skipped suite's reason"

[ $failures -eq 0 ] && echo "all cases passed"
[ $failures -eq 0 ]
