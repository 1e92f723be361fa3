#!/bin/bash
# Runs a fuzz target for a bounded time: fuzz-run.sh FUZZER SEEDS WORK SECONDS
# The committed seeds are only read; what the fuzzer finds goes to WORK/corpus
# (kept between runs) and a crashing input to WORK/crash-*. Extra arguments
# go to the fuzzer.
set -eu
fuzzer=$1 seeds=$2 work=$3 seconds=$4
shift 4
mkdir -p "$work/corpus"
exec "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$@" "$work/corpus" "$seeds"
