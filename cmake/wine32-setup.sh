#!/bin/bash
# Sets up a 32-bit Wine for the release build's suites, once per machine:
#   wine32-setup.sh            set up what is missing (a quick check when all is there)
#   wine32-setup.sh --check    only say whether it is set up; exit 1 if not
#   wine32-setup.sh --help     this text
#
# A build machine's kernel may lack i386 support, and Debian's wine32 cannot be
# installed beside the wine64 the x86_64 suites use. So nothing is installed
# system-wide: the wine32:i386 and libwine:i386 packages of the installed
# wine64's version are unpacked into a private root, and i386 programs run
# through a static qemu-i386 from the backports suite (the release's own
# qemu-user is far too slow for Wine). The one system-wide change is the
# binfmt_misc entry "qemu-i386" that hands i386 ELF files to that qemu.
#
# Everything lives in QUORREL_WINE32_CACHE (default /var/cache/quorrel/wine32):
#   root/               the i386 root (QEMU_LD_PREFIX), about 730 MB
#   qemu-i386           the emulator the binfmt entry points at
#   prefix-USER/        USER's Wine prefix (win32), about 590 MB
#   setup.log           apt's output of the last set-up of the root
# To remove it all: echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386 (as root),
# then rm -rf the cache folder.
#
# Downloading the root and registering the entry need root; run as another
# user, the script does those through sudo. The prefix is made as the user.
# Ends with one line saying what it did, or why it cannot; non-zero then.
set -u
here=$(dirname "$(realpath "$0")")
. "$here/wine32-env.sh"

cache=$QUORREL_WINE32_CACHE
log=$cache/setup.log
say() { echo "wine32: $*"; }
progress() { echo "wine32: $*" >&2; }
fail() { echo "wine32: cannot set up 32-bit Wine: $*" >&2; exit 1; }

# --- Part run as root: the i386 root, qemu and the binfmt entry. ----------

# The root: the packages of exactly the installed wine64's version (the
# 32-bit loader starts the installed wineserver64).
make_root() {
    local wine_version=$1 apt=$cache/apt tmp=$cache/root.tmp codename uri
    . /etc/os-release
    codename=${VERSION_CODENAME:-bookworm}
    rm -rf "$apt" "$tmp"
    mkdir -p "$apt"/etc/{apt.conf.d,preferences.d,sources.list.d,trusted.gpg.d} \
             "$apt"/state/lists/partial "$apt"/cache/archives/partial "$tmp" || return 1
    : >"$apt/state/status"
    # A private apt: its own lists, cache and an empty package status, i386 as
    # its native architecture; amd64 only for qemu-user from backports.
    cat >"$apt/apt.conf" <<EOF
Dir::State "$apt/state";
Dir::State::status "$apt/state/status";
Dir::Cache "$apt/cache";
Dir::Etc "$apt/etc";
APT::Architecture "i386";
APT::Architectures { "i386"; "amd64"; };
APT::Install-Recommends "false";
Acquire::Languages "none";
EOF
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed -e '/^Architectures:/d' -e '/^Types:/a Architectures: i386' \
            /etc/apt/sources.list.d/debian.sources >"$apt/etc/sources.list.d/debian.sources"
        uri=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' \
              /etc/apt/sources.list.d/debian.sources | head -n 1)
    else
        uri=http://deb.debian.org/debian
        printf 'Types: deb\nArchitectures: i386\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$uri" "$codename" "$codename" >"$apt/etc/sources.list.d/debian.sources"
    fi
    printf 'Types: deb\nArchitectures: amd64\nURIs: %s\nSuites: %s-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$uri" "$codename" >"$apt/etc/sources.list.d/backports.sources"

    local aptget="env APT_CONFIG=$apt/apt.conf DEBIAN_FRONTEND=noninteractive apt-get -q"
    $aptget update --error-on=any >>"$log" 2>&1 ||
        { echo "could not fetch the package lists for the i386 root"; return 1; }
    $aptget install -y --download-only "wine32:i386=$wine_version" "libwine:i386=$wine_version" \
        >>"$log" 2>&1 ||
        { echo "could not download wine32:i386=$wine_version"; return 1; }
    (cd "$apt/cache" && $aptget download "qemu-user:amd64/$codename-backports") >>"$log" 2>&1 ||
        { echo "could not download qemu-user from $codename-backports"; return 1; }

    ls "$apt"/cache/archives/*.deb | xargs -P 2 -n 8 sh -c \
        'for deb; do dpkg -x "$deb" "$0" || exit 255; done' "$tmp" ||
        { echo "could not unpack the i386 packages"; return 1; }
    mkdir -p "$apt/qemu" && dpkg -x "$apt"/cache/qemu-user_*.deb "$apt/qemu" &&
        cp "$apt/qemu/usr/bin/qemu-i386" "$cache/qemu-i386.new" ||
        { echo "qemu-user holds no usr/bin/qemu-i386"; return 1; }

    printf '/lib/i386-linux-gnu\n/usr/lib/i386-linux-gnu\n' >"$tmp/etc/ld.so.conf"
    ldconfig -r "$tmp" >>"$log" 2>&1 || { echo "ldconfig -r failed"; return 1; }
    # Debian's 32-bit user32.dll imports zlib1.dll, which wine32 does not ship
    # beside it: without it user32, rundll32 and conhost fail with c0000135.
    cp "$tmp/usr/i686-w64-mingw32/lib/zlib1.dll" "$tmp/usr/lib/i386-linux-gnu/wine/i386-windows/" ||
        { echo "no zlib1.dll in the i386 root"; return 1; }

    echo "$wine_version" >"$tmp/.quorrel-wine-version"
    rm -rf "$cache/root" && mv "$tmp" "$cache/root" &&
        mv "$cache/qemu-i386.new" "$cache/qemu-i386" || return 1
    rm -rf "$apt"   # the 137 MB of packages: the root is what counts
}

# Registers qemu-i386 for i386 ELF files. F: the kernel opens the emulator
# now, so it is found whatever the program's mount namespace or root.
register_binfmt() {
    local dir=/proc/sys/fs/binfmt_misc entry other
    if [ ! -w "$dir/register" ]; then
        mount -t binfmt_misc binfmt_misc "$dir" 2>/dev/null
        [ -w "$dir/register" ] ||
            { echo "binfmt_misc is not available (cannot mount $dir)"; return 1; }
    fi
    # Another handler for i386 ELF files would run our Wine instead of ours.
    for entry in "$dir"/*; do
        case ${entry##*/} in register|status|qemu-i386) continue ;; esac
        if grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null &&
           grep -qx enabled "$entry"; then
            other=$(sed -n 's/^interpreter //p' "$entry")
            echo "binfmt_misc entry ${entry##*/} already runs i386 programs with $other;" \
                 "disable it first (echo 0 > $entry)"
            return 1
        fi
    done
    if [ -e "$dir/qemu-i386" ]; then
        if quorrel_wine32_binfmt_ok; then return 0; fi
        other=$(sed -n 's/^interpreter //p' "$dir/qemu-i386")
        # Ours, but disabled or made without F: registered afresh. Another
        # emulator's entry is left to its owner.
        if [ "$other" != "$cache/qemu-i386" ]; then
            echo "binfmt_misc entry qemu-i386 runs $other, not $cache/qemu-i386;" \
                 "remove it first (echo -1 > $dir/qemu-i386)"
            return 1
        fi
        echo -1 >"$dir/qemu-i386" || { echo "cannot remove the old qemu-i386 entry"; return 1; }
    fi
    printf ':qemu-i386:M::%s:%s:%s:F\n' \
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
        '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
        "$cache/qemu-i386" >"$dir/register" 2>/dev/null &&
        quorrel_wine32_binfmt_ok ||
        { echo "could not register qemu-i386 with binfmt_misc"; return 1; }
}

# setup_system USER: everything that needs root, then a prefix folder that
# USER owns (Wine refuses a prefix owned by someone else).
setup_system() {
    local user=$1 wine_version why did=""
    wine_version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null) ||
        fail "wine64 is not installed"
    mkdir -p "$cache" 2>/dev/null || fail "cannot create $cache"
    exec 9>"$cache/.lock"
    flock 9
    if ! quorrel_wine32_root_ok "$wine_version"; then
        progress "downloading and unpacking the i386 root into $cache (once; log in $log)"
        : >"$log"
        if ! why=$(make_root "$wine_version"); then
            rm -rf "$cache/apt" "$cache/root.tmp" "$cache/qemu-i386.new"
            fail "${why:-set-up of the i386 root failed} (log: $log)"
        fi
        # A prefix made by another version's Wine is started afresh.
        rm -rf "$cache"/prefix-*
        did="the i386 root (wine $wine_version), "
    fi
    if ! quorrel_wine32_binfmt_ok; then
        why=$(register_binfmt) || fail "$why"
        did="${did}the binfmt_misc entry qemu-i386, "
    fi
    local prefix=$cache/prefix-$user
    if [ ! -d "$prefix" ]; then
        mkdir -p "$prefix" && chown "$user:" "$prefix" || fail "cannot create $prefix for $user"
    fi
    echo "$did"
}

# --- Part run as the user: the prefix. -----------------------------------

make_prefix() {
    local prefix=$1
    quorrel_wine32_env "$prefix"
    (
        flock 9
        [ -e "$prefix/.quorrel-ready" ] && exit 0
        # A half-made prefix from an interrupted run is started afresh.
        find "$prefix" -mindepth 1 -maxdepth 1 ! -name .lock -exec rm -rf {} + || exit 1
        # zlib1.dll must be in system32 before wineboot runs anything that
        # needs user32 (see make_root); Wine leaves files it does not know.
        mkdir -p "$prefix/drive_c/windows/system32" &&
            cp "$QUORREL_WINE32_ROOT/usr/i686-w64-mingw32/lib/zlib1.dll" \
               "$prefix/drive_c/windows/system32/" &&
            "$QUORREL_WINE32_LOADER" wineboot -i >"$prefix/wineboot.log" 2>&1 &&
            "$QUORREL_WINE32_ROOT/usr/lib/wine/wineserver" -w &&
            touch "$prefix/.quorrel-ready"
    ) 9>"$prefix/.lock"
    [ -e "$prefix/.quorrel-ready" ]
}

if [ "${1:-}" = --system ]; then
    # Internal: the root part, through sudo. The cache comes as an argument
    # because sudo drops the environment.
    QUORREL_WINE32_CACHE=$2
    . "$here/wine32-env.sh"
    cache=$QUORREL_WINE32_CACHE
    log=$cache/setup.log
    setup_system "$3"
    exit 0
fi

user=$(id -un)
prefix=$QUORREL_WINE32_PREFIX
if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
    # The comment at the top of this file.
    sed -n '2,/^set -u/{/^set -u/d;s/^# \{0,1\}//;p}' "$0"
    exit 0
elif [ "${1:-}" = --check ]; then
    why=$(quorrel_wine32_check "$prefix") || { echo "wine32: not set up: $why"; exit 1; }
    say "ready in $cache"
    exit 0
elif [ $# -gt 0 ]; then
    echo "usage: $0 [--check | --help]" >&2
    exit 2
fi

t0=$(date +%s)
if quorrel_wine32_check "$prefix" >/dev/null; then
    say "ready in $cache (nothing to do)"
    exit 0
fi

did=""
if ! quorrel_wine32_root_ok "$(dpkg-query -W -f='${Version}' wine64 2>/dev/null)" ||
   ! quorrel_wine32_binfmt_ok || [ ! -d "$prefix" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        did=$(setup_system "$user") || exit 1
    elif command -v sudo >/dev/null; then
        did=$(sudo "$here/wine32-setup.sh" --system "$cache" "$user") || exit 1
    else
        fail "root (or sudo) is needed for what is missing: $(quorrel_wine32_check "$prefix")"
    fi
fi
if [ ! -e "$prefix/.quorrel-ready" ]; then
    make_prefix "$prefix" ||
        fail "wineboot could not create the prefix $prefix (log: $prefix/wineboot.log)"
    did="${did}the prefix $prefix, "
fi
why=$(quorrel_wine32_check "$prefix") || fail "$why"
say "set up ${did%, } in $cache ($(($(date +%s) - t0)) s)"
