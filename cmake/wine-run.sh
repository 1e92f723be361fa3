#!/bin/bash
# Runs a Windows program under 64-bit Wine with a console of a given size:
#   wine-run.sh [--cols N] [--rows N] prog.exe args...
# The program runs inside a pseudo terminal (script) sized with stty, so that
# Wine gives it a console of that size; its standard output goes to a file
# that is shown afterwards, free of the terminal's escape sequences. The exit
# code is the program's. WINEPREFIX defaults to wineprefix/ beside the
# program and is made on first use from the machine's template (see
# wine-prefix.sh).
set -u
cols=80
rows=25
while [ $# -gt 0 ]; do
    case "$1" in
    --cols) cols=$2; shift 2 ;;
    --rows) rows=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
done
if [ $# -lt 1 ]; then
    echo "usage: $0 [--cols N] [--rows N] prog.exe args..." >&2
    exit 2
fi
prog=$(realpath "$1")
shift

. "$(dirname "$(realpath "$0")")/wine-prefix.sh"
unset DISPLAY WAYLAND_DISPLAY
quorrel_wine_prefix "${WINEPREFIX:-$(dirname "$prog")/wineprefix}" || exit 125

work=$(mktemp -d "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -rf "$work"' EXIT
printf -v command '%q ' wine "$prog" "$@"
# Wine sizes the console from the terminal only while stdin and stdout or
# stderr are the pty, so standard output goes to a file (GoogleTest writes
# there) and standard error stays on the terminal.
# script's input is a FIFO that never ends: at the end of its input script
# would type the terminal's EOF character, which reaches the console as a
# stray key (a NUL, read as Ctrl+Shift+2, once Wine has the pty in raw mode).
mkfifo "$work/in"
exec 8<>"$work/in"
script -qec "stty cols $cols rows $rows; $command >$(printf '%q' "$work/out")" /dev/null \
    <"$work/in" >"$work/tty" 2>&1
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
