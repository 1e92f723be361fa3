#!/bin/bash
# Runs a fuzz target for a bounded time:
#   fuzz-run.sh [--from-seeds] FUZZER SEEDS WORK SECONDS [fuzzer arguments]
# The committed seeds are only read; what the fuzzer finds goes to WORK/corpus
# (kept between runs) and a crashing input to WORK/crash-*. Extra arguments
# go to the fuzzer.
# libFuzzer first replays its whole corpus, which SECONDS does not bound: a
# corpus kept over many runs makes each run longer. --from-seeds (./test's
# runs) starts from the seeds and an empty corpus, so that the run takes
# SECONDS and a little more.
set -eu
fresh=0
if [ "${1:-}" = --from-seeds ]; then
    fresh=1
    shift
fi
fuzzer=$1 seeds=$2 work=$3 seconds=$4
shift 4
[ $fresh = 1 ] && rm -rf "$work/corpus"
mkdir -p "$work/corpus"
exec "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$@" "$work/corpus" "$seeds"
