# Sourced by wine-run.sh and ./run: the Wine environment and a private
# prefix, made on first use by one process while others wait.
#
# Creating a prefix (wineboot) takes half a minute and 700 MB, so it is done
# once per machine, into a template: ${XDG_CACHE_HOME:-~/.cache}/quorrel/wineprefix
# ($QUORREL_WINE_TEMPLATE to put it elsewhere). Each build folder's prefix is
# a hard-linked copy of it, made in a moment; the registry files, which Wine
# rewrites as our programs run, are copied for real, so each prefix keeps its
# own registry. Nothing ever runs in the template itself; both are made anew
# when Wine's version changes (Wine would update a prefix in place).
export WINEDEBUG=-all
# No Mono or Gecko to install, and no winemenubuilder, which keeps a
# prefix's menu entries and file types in the user's own folders
# (~/.local/share, ~/.config) and runs at each start of its Wine server.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

quorrel_wine_template() {
    echo "${QUORREL_WINE_TEMPLATE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorrel/wineprefix}"
}

# Runs a command with a lock file held, one caller at a time.
quorrel_locked() {
    local lock=$1; shift
    mkdir -p "$(dirname "$lock")"
    ( flock 9; "$@" ) 9>"$lock"
}

# True when the marker file names this Wine.
quorrel_wine_marked() {
    [ -e "$1" ] && [ "$(cat "$1")" = "$(wine --version 2>/dev/null)" ]
}

quorrel_make_wine_template() {
    local template=$1
    quorrel_wine_marked "$template/.quorrel-template" && return 0
    rm -rf "$template"
    # wineserver -w: the prefix is complete once the server has gone.
    WINEPREFIX=$template wineboot -i >/dev/null 2>&1 && WINEPREFIX=$template wineserver -w &&
        wine --version >"$template/.quorrel-template"
}

quorrel_copy_wine_template() {
    local template=$1 prefix=$2 reg
    quorrel_wine_marked "$prefix/.quorrel-ready" && return 0
    rm -rf "$prefix"
    cp -al "$template" "$prefix" 2>/dev/null || cp -a "$template" "$prefix" || return 1
    rm -f "$prefix/.quorrel-template"
    for reg in "$prefix"/*.reg; do
        cp --remove-destination "$template/${reg##*/}" "$reg" || return 1
    done
    wine --version >"$prefix/.quorrel-ready"
}

quorrel_wine_prefix() {
    export WINEPREFIX=$1
    quorrel_wine_marked "$WINEPREFIX/.quorrel-ready" && return 0
    local template
    template=$(quorrel_wine_template)
    if ! quorrel_locked "$template.lock" quorrel_make_wine_template "$template"; then
        echo "could not create the Wine prefix template $template" >&2
        return 1
    fi
    if ! quorrel_locked "$WINEPREFIX.lock" quorrel_copy_wine_template "$template" "$WINEPREFIX"; then
        echo "could not make the Wine prefix $WINEPREFIX" >&2
        return 1
    fi
}
