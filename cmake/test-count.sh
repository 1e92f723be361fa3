# Sourced by ./test: adds one configuration's CTest results to the totals
# in $passed, $failed and $skipped.
#   quorrel_ctest_count BUILD_DIR CTEST_LOG
# Each entry counts the tests of its GoogleTest report (test-results/<name>.xml):
# those that ran and passed, those that failed, those the suite skipped;
# plus one failure for an entry that failed beyond what its report shows (a
# crash, a leak report, no report at all). An entry without a report counts
# once: passed, failed, or skipped when CTest marked it so (a suite whose
# host is absent, SKIP_RETURN_CODE); a skipped entry's own line saying why
# ("skipped: ...", from CTest's log of the run) is printed.
quorrel_ctest_count() {
    local dir=$1 log=$2
    local results=$dir/test-results name status report p f s
    while read -r name status; do
        report=$results/$name.xml
        if [ "$status" = Skipped ]; then
            skipped=$((skipped + 1))
            echo "== $name: $(quorrel_skip_reason "$dir" "$name")"
        elif [ -f "$report" ]; then
            read -r p f s < <(awk '
                /<testcase / { open = 1; bad = 0; skip = /result="skipped"/
                               ran = /status="run"/ && (/result="completed"/ || skip)
                               if (/\/>[[:space:]]*$/) { if (ran && !skip) ok++; open = 0 } ; next }
                open && /<failure/ { bad = 1 }
                open && /<\/testcase>/ { if (bad) ko++; else if (skip) sk++; else if (ran) ok++; open = 0 }
                END { print ok + 0, ko + 0, sk + 0 }' "$report")
            passed=$((passed + p))
            failed=$((failed + f))
            skipped=$((skipped + s))
            if [ "$status" != Passed ] && [ "$f" -eq 0 ]; then failed=$((failed + 1)); fi
        elif [ "$status" = Passed ]; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
        fi
    done < <(sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) \.*[ *]*\([A-Za-z][A-Za-z ]*[a-z]\).*/\1 \2/p' "$log" |
             sed 's/ Not Run$/ NotRun/; s/^\([^ ]*\) \([A-Za-z]*\).*/\1 \2/')
}

# The first "skipped: ..." line of an entry's output in CTest's log of the
# last run of DIR.
quorrel_skip_reason() {
    awk -v name="$2" '
        /^[0-9]+\/[0-9]+ Testing: / { here = ($3 == name); next }
        here && /^skipped:/ { print; exit }' "$1/Testing/Temporary/LastTest.log" 2>/dev/null
}
