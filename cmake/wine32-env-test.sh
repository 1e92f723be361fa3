#!/bin/bash
# Tests wine32-env.sh's readiness checks on a made-up cache and binfmt entry:
# the 32-bit suites must run only through our own emulator, registered with
# the F flag, in a root made for the installed Wine's version.
set -u
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d "${TMPDIR:-/tmp}/wine32-env-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
QUORREL_WINE32_CACHE=$work/cache
. "$here/wine32-env.sh"
QUORREL_WINE32_BINFMT=$work/binfmt-entry
version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null)
version=${version:-none}

# A complete set-up, which each case then spoils in one way.
make_ready() {
    rm -rf "$QUORREL_WINE32_CACHE"
    mkdir -p "$QUORREL_WINE32_ROOT/usr/lib/wine" "$work/cache/prefix"
    echo "$version" >"$QUORREL_WINE32_ROOT/.quorrel-wine-version"
    : >"$QUORREL_WINE32_LOADER" && : >"$QUORREL_WINE32_CACHE/qemu-i386"
    chmod +x "$QUORREL_WINE32_LOADER" "$QUORREL_WINE32_CACHE/qemu-i386"
    : >"$work/cache/prefix/.quorrel-ready"
    printf 'enabled\ninterpreter %s\nflags: F\noffset 0\n' \
        "$QUORREL_WINE32_CACHE/qemu-i386" >"$QUORREL_WINE32_BINFMT"
}

# name | how the set-up is spoilt | what the check must say ("" = ready)
cases='
ready            | true                                                     |
disabled entry   | sed -i s/^enabled/disabled/ "$QUORREL_WINE32_BINFMT"     | binfmt_misc does not run
no F flag        | sed -i "s/^flags: F/flags: /" "$QUORREL_WINE32_BINFMT"   | binfmt_misc does not run
other emulator   | sed -i "s#^interpreter .*#interpreter /usr/bin/qemu-i386#" "$QUORREL_WINE32_BINFMT" | binfmt_misc does not run
no entry         | rm "$QUORREL_WINE32_BINFMT"                              | binfmt_misc does not run
other version    | echo 1.0 >"$QUORREL_WINE32_ROOT/.quorrel-wine-version"   | no i386 root for wine
no emulator      | rm "$QUORREL_WINE32_CACHE/qemu-i386"                     | no i386 root for wine
no prefix        | rm "$work/cache/prefix/.quorrel-ready"                   | no Wine prefix
'

failures=0
while IFS='|' read -r name spoil want; do
    name=$(echo $name); [ -z "$name" ] && continue
    want=${want# }; want=${want% }
    make_ready
    eval "$spoil"
    said=$(quorrel_wine32_check "$work/cache/prefix")
    status=$?
    if { [ -z "$want" ] && [ $status -eq 0 ]; } ||
       { [ -n "$want" ] && [ $status -ne 0 ] && [[ $said == "$want"* ]]; }; then
        echo "ok   $name"
    else
        echo "FAIL $name: status $status, said \"$said\", want \"${want:-ready}\""
        failures=$((failures + 1))
    fi
done <<<"$cases"
[ $failures -eq 0 ]
