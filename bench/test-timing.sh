#!/bin/bash
# Times ./test as a machine that has never built this tree meets it, and
# once more with nothing to rebuild:
#   bench/test-timing.sh [COMMIT] [--keep]
# COMMIT (default HEAD) is cloned into a fresh folder under $TMPDIR, with
# nothing built; the machine's caches (the Wine prefix template in
# ~/.cache/quorrel, the 32-bit Wine in /var/cache/quorrel) are used as they
# are. Far 3 for the e2e_far3 suite comes from $QUORREL_FAR3, or else from
# ../shared/far3 beside this checkout (or its main checkout). Prints, for each run, ./test's own
# time lines and last line, its wall-clock and CPU time, and the load
# average before it (the machine should be quiet). --keep leaves the clone.
set -u
here=$(cd "$(dirname "$(realpath "$0")")/.." && pwd)
commit=HEAD
keep=0
for arg in "$@"; do
    case $arg in
    --keep) keep=1 ;;
    --help | -h) sed -n '2,/^set -u/{/^set -u/d;s/^# \{0,1\}//;p}' "$0"; exit 0 ;;
    *) commit=$arg ;;
    esac
done

if [ -z "${QUORREL_FAR3:-}" ] && far3=$(. "$here/cmake/far3-env.sh" && quorrel_far3_folder "$here"); then
    export QUORREL_FAR3=$far3
fi
clone=$(mktemp -d "${TMPDIR:-/tmp}/quorrel-test-timing.XXXXXX")
[ $keep = 1 ] || trap 'rm -rf "$clone"' EXIT
git clone -q "$here" "$clone/quorrel" && git -C "$clone/quorrel" checkout -q "$commit" || exit 1
echo "== $(git -C "$clone/quorrel" log -1 --format='%h %s' | cut -c1-100)"
echo "== Far 3: ${QUORREL_FAR3:-none (e2e_far3 is skipped)}"

# The CPU time of everything a run starts, Wine's servers and services
# included (they leave the process tree): a cgroup of its own when the
# machine lets us make one, else what bash's time sees.
cgroup=/sys/fs/cgroup/cpuacct
for run in fresh no-op; do
    echo "== $run run: load average $(cut -d' ' -f1-3 /proc/loadavg)"
    group=""
    if mkdir "$cgroup/quorrel-test-timing-$$" 2>/dev/null; then
        group=$cgroup/quorrel-test-timing-$$
    fi
    TIMEFORMAT="%R %U %S"
    { time {
        (
            [ -n "$group" ] && echo $BASHPID >"$group/tasks"
            cd "$clone/quorrel" && exec ./test
        ) >"$clone/$run.log" 2>&1
    }; } 2>"$clone/$run.time"
    read -r real user sys <"$clone/$run.time"
    grep -E '^== (build/[a-z0-9]+: [0-9.]+ s|time:)|passed,' "$clone/$run.log"
    if [ -n "$group" ]; then
        sleep 1
        cpu=$(awk '{ printf "%.1f", $1 / 1e9 }' "$group/cpuacct.usage")
        for pid in $(cat "$group/tasks"); do echo "$pid" >"$cgroup/tasks"; done
        rmdir "$group"
        echo "== $run run: $real s wall, $cpu s CPU"
    else
        echo "== $run run: $real s wall, $(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }') s CPU" \
             "(without Wine's servers and services)"
    fi
done
[ $keep = 1 ] && echo "== the clone and both runs' output: $clone"
exit 0
