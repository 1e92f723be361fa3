#!/bin/bash
# ./run as a user meets it: in a terminal (a tmux pane of a private tmux
# server), with keys typed into the terminal, the terminal resized, and
# what it shows read back. Covers what scripted --keys runs cannot: the
# terminal's Ctrl+C, its size, what it showed before the program started,
# and ./run's own output.
#   run_in_tmux.sh SOURCE_DIR BUILD_DIR REPORT.xml
# The report is in GoogleTest's XML form, one test case per check.
set -u
source_dir=$(realpath "$1")
build_dir=$(realpath "$2")
report=$3
run="$source_dir/run"
export QUORREL_RUN_BUILD=$build_dir
# A Wine prefix of the checks' own (the other suites run beside them in
# theirs), never the one a user's ./run keeps its settings in.
export QUORREL_RUN_WINEPREFIX=$build_dir/wineprefix-terminal
user_prefix=$build_dir/wineprefix-run
# The checks' programs share one Wine server, which would otherwise end 3 s
# after each program and start again, with Wine's services, for the next.
(. "$source_dir/cmake/wine-prefix.sh"
 quorrel_wine_prefix "$QUORREL_RUN_WINEPREFIX" && wineserver -p30 </dev/null >/dev/null 2>&1)

work=$(mktemp -d "${TMPDIR:-/tmp}/quorrel-terminal.XXXXXX")
socket=quorrel-test-$$
starts=0
tm() { tmux -L "$socket" "$@"; }
cleanup() {
    tm kill-server 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# --- the pane ---------------------------------------------------------------

screen() { tm capture-pane -p -t t; }
row() { screen | sed -n "$(($1 + 1))p"; }
keys() {
    local k
    for k in "$@"; do
        tm send-keys -t t "$k"
        sleep 0.3
    done
}
# Waits until the pane shows TEXT (a grep pattern): wait_for TEXT [SECONDS].
wait_for() {
    local deadline=$((SECONDS + ${2:-30}))
    until screen | grep -q -- "$1"; do
        [ $SECONDS -ge $deadline ] && { why="the terminal never showed '$1'"; return 1; }
        sleep 0.3
    done
}
wait_gone() {
    local deadline=$((SECONDS + ${2:-30}))
    while screen | grep -q -- "$1"; do
        [ $SECONDS -ge $deadline ] && { why="the terminal still shows '$1'"; return 1; }
        sleep 0.3
    done
}
# Starts a command line in a fresh pane, 80x25 unless given; its exit code
# goes to $work/exit: start COMMAND [COLS ROWS]
start() {
    tm kill-server 2>/dev/null
    # A server of its own for each check: a new session must not land in
    # the last check's server while that one is still going away.
    starts=$((starts + 1))
    socket=quorrel-test-$$-$starts
    rm -f "$work/exit" "$work/out"
    tm -f /dev/null new-session -d -s t -x "${2:-80}" -y "${3:-25}" "bash --norc --noprofile"
    tm set-option -t t status off
    tm send-keys -t t "cd $(printf '%q' "$source_dir"); $1; echo \$? > $work/exit" Enter
}
wait_exit() {
    local deadline=$((SECONDS + ${1:-30}))
    until [ -s "$work/exit" ]; do
        [ $SECONDS -ge $deadline ] && { why="the program did not end"; return 1; }
        sleep 0.3
    done
    status=$(cat "$work/exit")
}
expect_status() {
    wait_exit || return 1
    [ "$status" = "$1" ] || { why="exit code $status, not $1"; return 1; }
}
expect_in() {  # expect_in FILE TEXT
    grep -qF -- "$2" "$1" || { why="no '$2' in: $(head -c 600 "$1")"; return 1; }
}
resize() {
    tm resize-window -t t -x "$1" -y "$2"
}
# The panels fill the pane: the right frame in the last column of row 0, the
# key bar on the last row.
panels_fill() {  # panels_fill COLS ROWS
    local deadline=$((SECONDS + 20)) top bottom
    while :; do
        top=$(row 0)
        bottom=$(row $(($2 - 1)))
        [ "${#top}" = "$1" ] && [ "${top: -1}" = "╗" ] && [[ $bottom == *10Quit* ]] && return 0
        [ $SECONDS -ge $deadline ] && { why="at ${1}x$2 the screen shows: $(screen | head -3)"; return 1; }
        sleep 0.3
    done
}

# --- the checks --------------------------------------------------------------

# Ctrl+J, the line feed, is the terminal's Ctrl+Enter: it appends and closes.
# A scripted run waiting for keys draws the chart as an interactive one does:
# its control codes as glyphs, every row once.
ctrl_c_in_the_chart_copies_and_the_program_goes_on() {
    start "$run --report --set LastChar=65 --clipboard '' > $work/out"
    wait_for "Char: A" || return 1
    wait_for "║  ☺☻♥♦♣♠•◘○◙" 5 || return 1
    local titles
    titles=$(screen | grep -c "═ Quorrel ═")
    [ "$titles" = 1 ] || { why="the chart's title row shows $titles times"; return 1; }
    # In one write: the terminal must not drop the Right still waiting when ^C comes.
    tm send-keys -t t Right C-c
    sleep 1
    keys Right C-j
    expect_status 0 && expect_in "$work/out" "clipboard_hex=4243"
}

# The editor at a size other than 80x25: its first frame fills the terminal
# from the top row (Wine's console drew it from wherever the cursor stood,
# below ./run's line), and Ctrl+C there is a key.
the_editor_fills_a_larger_terminal_and_takes_ctrl_c_as_a_key() {
    start "$run --from editor --editor-line xy" 100 30
    wait_for "Char:" || return 1
    local top bottom
    top=$(row 0)
    bottom=$(row 29)
    [[ $top == " quorrel.txt"* ]] || { why="row 0 shows: $top"; return 1; }
    [[ $bottom == *10Quit* ]] || { why="row 29 shows: $bottom"; return 1; }
    keys Escape
    wait_gone "Char:" || return 1
    keys C-c z
    wait_for "^zxy" 10 || return 1
    keys Escape F10
    expect_status 0
}

# The panels' first frame covers what the terminal showed; they follow the
# terminal's size, redraw after the chart, and at the end what the terminal
# showed is back, without the last frame.
the_panels_cover_the_terminal_follow_its_size_and_give_it_back() {
    local line
    line=$(printf 'LEFTOVER%.0s' {1..9})
    start "clear; for i in {1..30}; do echo $line; done; $run"
    wait_for "10Quit" || return 1
    sleep 1
    if screen | grep -q "LEFTOVER\|run: building"; then
        why="earlier output still shows: $(screen | grep -m1 'LEFTOVER\|run: building')"
        return 1
    fi
    panels_fill 80 25 || return 1
    keys F11 Enter
    wait_for "Char:" || return 1
    resize 100 30
    sleep 1
    keys Escape
    panels_fill 100 30 || return 1
    resize 60 20
    panels_fill 60 20 || return 1
    keys F10
    expect_status 0 || return 1
    # The alternate screen is gone, and what the terminal showed is back.
    wait_for "LEFTOVER" 10 || return 1
    if screen | grep -q "Folder\|10Quit"; then
        why="the last frame stays after the end: $(screen | grep -m1 'Folder\|10Quit')"
        return 1
    fi
}

run_builds_quietly_and_speaks_of_itself() {
    "$run" --help >"$work/out" 2>&1 || { why="./run --help failed: $(cat "$work/out")"; return 1; }
    local first second
    first=$(sed -n 1p "$work/out" | tr -d '\r')
    second=$(sed -n 2p "$work/out" | tr -d '\r')
    [[ $first == "run: building "* ]] || { why="first line: $first"; return 1; }
    [ "$second" = "Usage: ./run [options]" ] || { why="second line: $second"; return 1; }
    "$run" --bogus >"$work/out" 2>&1
    status=$?
    [ "$status" = 2 ] || { why="./run --bogus: exit code $status"; return 1; }
    expect_in "$work/out" "Try './run --help'."
}

a_run_without_a_terminal_says_so() {
    timeout 60 "$run" --report --keys Esc </dev/null >"$work/out" 2>&1
    status=$?
    [ "$status" = 1 ] || { why="exit code $status: $(cat "$work/out")"; return 1; }
    expect_in "$work/out" "there is no console to draw on"
}

# The plugin's settings as a Wine prefix's registry holds them, once its
# Wine has written them out.
quorrel_settings() {
    [ -d "$1" ] && WINEPREFIX=$1 wineserver -w 2>/dev/null
    sed -n '/^\[Software\\\\Far\\\\Plugins\\\\Quorrel/,/^$/p' "$1/user.reg" 2>/dev/null
}
user_settings=$(quorrel_settings "$user_prefix")

# The checks' runs keep to their prefix; what a user's ./run finds in its
# own is as it was before them (run last).
the_checks_leave_the_users_settings_alone() {
    start "$run --report --set LastChar=201 --keys Esc > $work/out"
    expect_status 0 || return 1
    # The prefix's Wine server stays a while after the last program (see
    # above); ended, it writes the registry out.
    WINEPREFIX=$QUORREL_RUN_WINEPREFIX wineserver -k 2>/dev/null
    quorrel_settings "$QUORREL_RUN_WINEPREFIX" | grep -q '"LastChar"=dword:000000c9' ||
        { why="LastChar 201 is not in the checks' prefix"; return 1; }
    [ "$(quorrel_settings "$user_prefix")" = "$user_settings" ] ||
        { why="the settings in $user_prefix changed"; return 1; }
}

# --- the report --------------------------------------------------------------

checks="ctrl_c_in_the_chart_copies_and_the_program_goes_on
the_editor_fills_a_larger_terminal_and_takes_ctrl_c_as_a_key
the_panels_cover_the_terminal_follow_its_size_and_give_it_back
run_builds_quietly_and_speaks_of_itself a_run_without_a_terminal_says_so
the_checks_leave_the_users_settings_alone"
xml_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g' | tr '\n' ' '; }
mkdir -p "$(dirname "$report")"
failures=0
cases=""
for check in $checks; do
    why=""
    t0=$EPOCHREALTIME
    $check
    ok=$?
    ms=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%d", (b - a) * 1000 }')
    seconds=$(awk -v ms="$ms" 'BEGIN { printf "%.3f", ms / 1000 }')
    attributes="name=\"$check\" status=\"run\" result=\"completed\" time=\"$seconds\" classname=\"Terminal\""
    if [ $ok = 0 ]; then
        echo "[       OK ] Terminal.$check ($ms ms)"
        cases+="    <testcase $attributes />"$'\n'
    else
        failures=$((failures + 1))
        echo "[  FAILED  ] Terminal.$check ($ms ms): $why"
        cases+="    <testcase $attributes>"$'\n'
        cases+="      <failure message=\"$(printf '%s' "$why" | xml_escape)\" />"$'\n'
        cases+="    </testcase>"$'\n'
    fi
done
count=$(echo $checks | wc -w)
{
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo "<testsuites tests=\"$count\" failures=\"$failures\" name=\"AllTests\">"
    echo "  <testsuite name=\"Terminal\" tests=\"$count\" failures=\"$failures\">"
    printf '%s' "$cases"
    echo "  </testsuite>"
    echo "</testsuites>"
} >"$report"
[ "$failures" -eq 0 ]
