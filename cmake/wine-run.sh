#!/bin/bash
# Runs a Windows program under Wine with a console of a given size:
#   wine-run.sh [--arch win64|win32] [--cols N] [--rows N] prog.exe args...
# The program runs inside a pseudo terminal (script) sized with stty, so that
# Wine gives it a console of that size; its standard output goes to a file
# that is shown afterwards, free of the terminal's escape sequences. The exit
# code is the program's.
# win64 (the default): the installed Wine; WINEPREFIX defaults to wineprefix/
# beside the program and is made on first use from the machine's template
# (see wine-prefix.sh).
# win32: the 32-bit Wine that wine32-setup.sh set up, in its per-user prefix;
# one program at a time runs there, since the programs share its registry
# and clipboard (a second ./test waits for the first's program to end).
# The prefix's Wine server stays up for QUORREL_WINE_LINGER seconds (30)
# after its last program, for the next one (see below).
set -u
arch=win64
cols=80
rows=25
while [ $# -gt 0 ]; do
    case "$1" in
    --arch) arch=$2; shift 2 ;;
    --cols) cols=$2; shift 2 ;;
    --rows) rows=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
done
if [ $# -lt 1 ]; then
    echo "usage: $0 [--arch win64|win32] [--cols N] [--rows N] prog.exe args..." >&2
    exit 2
fi
prog=$(realpath "$1")
shift

here=$(dirname "$(realpath "$0")")
case $arch in
win64)
    . "$here/wine-prefix.sh"
    unset DISPLAY WAYLAND_DISPLAY
    quorrel_wine_prefix "${WINEPREFIX:-$(dirname "$prog")/wineprefix}" || exit 125
    wine=wine
    wineserver=wineserver
    ;;
win32)
    . "$here/wine32-env.sh"
    if ! why=$(quorrel_wine32_check "$QUORREL_WINE32_PREFIX"); then
        echo "wine-run: 32-bit Wine is not set up ($why); run $here/wine32-setup.sh" >&2
        exit 125
    fi
    quorrel_wine32_env "$QUORREL_WINE32_PREFIX"
    wine=$QUORREL_WINE32_LOADER
    wineserver=$QUORREL_WINE32_ROOT/usr/lib/wine/wineserver
    exec 7>"$WINEPREFIX/.lock"
    flock 7
    ;;
*)
    echo "wine-run: --arch is win64 or win32, not $arch" >&2
    exit 2
    ;;
esac

# A program's Wine server, started with the program, ends 3 s after its last
# program; the next program starts it again, and with it Wine's own
# services: a second or two, and under qemu (win32) ten. Started here, it
# stays QUORREL_WINE_LINGER seconds, so that the suites of one ctest run
# share it. If the prefix has its server already, this one ends at once.
# Nothing of ours is handed to it: a server holding CTest's output would
# hold up the run, and one holding the lock every later program.
"$wineserver" -p"${QUORREL_WINE_LINGER:-30}" </dev/null >/dev/null 2>&1 7>&- || true

work=$(mktemp -d "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -rf "$work"' EXIT
printf -v command '%q ' "$wine" "$prog" "$@"
# Wine sizes the console from the terminal only while stdin and stdout or
# stderr are the pty, so standard output goes to a file (GoogleTest writes
# there) and standard error stays on the terminal.
# script's input is a FIFO that never ends: at the end of its input script
# would type the terminal's EOF character, which reaches the console as a
# stray key (a NUL, read as Ctrl+Shift+2, once Wine has the pty in raw mode).
mkfifo "$work/in"
exec 8<>"$work/in"
# The lock's descriptor stays out of Wine: a wineserver lingering after the
# program would hold the lock.
script -qec "stty cols $cols rows $rows; $command >$(printf '%q' "$work/out")" /dev/null \
    <"$work/in" >"$work/tty" 2>&1 7>&-
status=$?
exec 8>&-
cat "$work/out" 2>/dev/null
if [ $status -ne 0 ]; then
    # Whatever went to standard error (Wine's own crash reports included)
    # is in the terminal transcript, among the console's drawing.
    echo "--- wine-run: exit code $status; end of the terminal transcript:"
    sed -e 's/\x1b\[[0-9]*C/ /g' -e 's/\x1b\][^\x07]*\x07//g' -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' \
        -e 's/\x1b[()][A-Za-z0-9]//g' -e 's/\x1b[=>78]//g' -e 's/\r//g' "$work/tty" |
        grep -v '^[[:space:]]*$' | tail -n 40
fi
exit $status
