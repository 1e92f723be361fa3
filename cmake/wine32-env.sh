# Sourced by wine32-setup.sh and wine-run.sh: where the 32-bit Wine lives
# (see wine32-setup.sh), whether it is ready, and its environment.
QUORREL_WINE32_CACHE=${QUORREL_WINE32_CACHE:-/var/cache/quorrel/wine32}
QUORREL_WINE32_ROOT=$QUORREL_WINE32_CACHE/root
QUORREL_WINE32_LOADER=$QUORREL_WINE32_ROOT/usr/lib/wine/wine
QUORREL_WINE32_BINFMT=/proc/sys/fs/binfmt_misc/qemu-i386
# Wine wants a prefix its user owns: one per user.
QUORREL_WINE32_PREFIX=$QUORREL_WINE32_CACHE/prefix-$(id -un)

# The root was made for this Wine version and the emulator is in place.
quorrel_wine32_root_ok() {
    [ -x "$QUORREL_WINE32_CACHE/qemu-i386" ] && [ -x "$QUORREL_WINE32_LOADER" ] &&
        [ "$(cat "$QUORREL_WINE32_ROOT/.quorrel-wine-version" 2>/dev/null)" = "$1" ]
}

# The binfmt entry is enabled, with the F flag, and runs our emulator.
quorrel_wine32_binfmt_ok() {
    [ -r "$QUORREL_WINE32_BINFMT" ] &&
        grep -qx enabled "$QUORREL_WINE32_BINFMT" &&
        grep -qx "interpreter $QUORREL_WINE32_CACHE/qemu-i386" "$QUORREL_WINE32_BINFMT" &&
        grep -q '^flags: .*F' "$QUORREL_WINE32_BINFMT"
}

# quorrel_wine32_check PREFIX: all is ready to run, or says what is not.
quorrel_wine32_check() {
    local version
    version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null)
    if ! quorrel_wine32_root_ok "$version"; then
        echo "no i386 root for wine $version in $QUORREL_WINE32_CACHE"
    elif ! quorrel_wine32_binfmt_ok; then
        echo "binfmt_misc does not run i386 programs with $QUORREL_WINE32_CACHE/qemu-i386"
    elif [ ! -e "$1/.quorrel-ready" ]; then
        echo "no Wine prefix $1"
    else
        return 0
    fi
    return 1
}

# quorrel_wine32_env PREFIX: the environment for running
# "$QUORREL_WINE32_LOADER" prog.exe in that prefix.
quorrel_wine32_env() {
    export WINEPREFIX=$1 WINEARCH=win32
    # qemu finds the i386 dynamic loader and libraries there, and reads every
    # absolute path that exists below it from there first.
    export QEMU_LD_PREFIX=$QUORREL_WINE32_ROOT
    export WINEDEBUG=-all
    # No Mono or Gecko to install, and no winemenubuilder, which keeps a
    # prefix's menu entries and file types in the user's own folders
    # (~/.local/share, ~/.config) and runs at each start of its Wine server.
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    unset DISPLAY WAYLAND_DISPLAY
}
