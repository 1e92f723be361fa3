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
    ;;
win32)
    . "$here/wine32-env.sh"
    if ! why=$(quorrel_wine32_check "$QUORREL_WINE32_PREFIX"); then
        echo "wine-run: 32-bit Wine is not set up ($why); run $here/wine32-setup.sh" >&2
        exit 125
    fi
    quorrel_wine32_env "$QUORREL_WINE32_PREFIX"
    wine=$QUORREL_WINE32_LOADER
    exec 7>"$WINEPREFIX/.lock"
    flock 7
    ;;
*)
    echo "wine-run: --arch is win64 or win32, not $arch" >&2
    exit 2
    ;;
esac

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
