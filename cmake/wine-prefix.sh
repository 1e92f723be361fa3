# Sourced by wine-run.sh and ./run: the Wine environment and a private
# prefix, created on first use by one process while others wait.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

quorrel_wine_prefix() {
    export WINEPREFIX=$1
    local ready=$WINEPREFIX/.quorrel-ready
    [ -e "$ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -e "$ready" ]; then
            # wineserver -w: the prefix is complete once the server has gone.
            wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$ready"
        fi
    ) 9>"$WINEPREFIX.lock"
    if [ ! -e "$ready" ]; then
        echo "could not create the Wine prefix $WINEPREFIX" >&2
        return 1
    fi
}
