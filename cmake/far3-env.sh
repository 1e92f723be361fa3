# Sourced by the Far 3 suite (tests/e2e_far3/run-suite.sh) and its timing
# (bench/far3-timing.sh): where the real Far 3 is, and a private installation
# of it with the far3 package in a Wine prefix of its own.
. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

# Prints the folder of Far 3: $QUORREL_FAR3 when set, else ../shared/far3
# beside the source tree or, for a git worktree, beside its main checkout.
# Fails when that folder holds no Far.exe.
quorrel_far3_folder() {
    local source_dir=$1 candidates=() main c
    if [ -n "${QUORREL_FAR3:-}" ]; then
        candidates=("$QUORREL_FAR3")
    else
        candidates=("$source_dir/../shared/far3")
        main=$(git -C "$source_dir" rev-parse --path-format=absolute --git-common-dir 2>/dev/null) &&
            candidates+=("$(dirname "$main")/../shared/far3")
    fi
    for c in "${candidates[@]}"; do
        [ -f "$c/Far.exe" ] && { realpath "$c"; return 0; }
    done
    return 1
}

quorrel_windows_path() { echo "Z:${1//\//\\}"; }

# Stops the Wine server of a private installation's prefix, if it runs.
quorrel_far3_stop() {
    [ -d "$1/prefix" ] && WINEPREFIX=$1/prefix wineserver -k 2>/dev/null
    return 0
}

# Makes WORK anew: a writable copy of Far (far/), the package unpacked
# (plugins/Quorrel/), empty files/ and profiles/, and a Wine prefix made
# from the machine's template (prefix/); exports WINEPREFIX.
#   quorrel_far3_install WORK FAR3_FOLDER PACKAGE.zip
quorrel_far3_install() {
    local work=$1 far3=$2 package
    package=$(realpath "$3") || return 1
    quorrel_far3_stop "$work"
    # Not the prefix: its files are hard links to the template.
    chmod -R u+w "$work/far" "$work/plugins" 2>/dev/null
    rm -rf "$work"
    mkdir -p "$work/plugins" "$work/files" "$work/profiles" || return 1
    # Writable, whatever the modes of the original (a read-only copy of shared/).
    cp -r --no-preserve=mode,ownership "$far3" "$work/far" || return 1
    if ! (cd "$work/plugins" && cmake -E tar xf "$package") ||
       [ ! -f "$work/plugins/Quorrel/Quorrel.dll" ]; then
        echo "cannot unpack Quorrel/Quorrel.dll from $package" >&2
        return 1
    fi
    unset DISPLAY WAYLAND_DISPLAY
    quorrel_wine_prefix "$work/prefix"
}
