#!/bin/bash
# Checks the Far 3 edition's module and package: the DLL exports exactly
# Far 3's six functions under their plain names and imports only from DLLs
# every Windows has; it carries the version resource; the x64 DLL is at
# most 400 KB; the package holds the folder Quorrel/ with the DLL (this
# build's, byte for byte), both message files, both help files and
# ReadMe.txt; the texts are UTF-8 with a BOM, the help files have
# .PluginContents and the topics the keys open.
#   check-far3-package.sh PACKAGE.zip Quorrel.dll VERSION x64|x86
set -u
zip=${1:?usage: check-far3-package.sh PACKAGE.zip Quorrel.dll VERSION x64|x86}
dll=${2:?}
version=${3:?}
arch=${4:?}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
windres=${WINDRES:-x86_64-w64-mingw32-windres}
want_exports="ConfigureW ExitFARW GetGlobalInfoW GetPluginInfoW OpenW SetStartupInfoW"
allowed="kernel32.dll user32.dll advapi32.dll msvcrt.dll"
max_x64=$((400 * 1024))

status=0
problem() { echo "check-far3-package: $*"; status=1; }

# ---- the DLL ----
dump=$("$objdump" -p "$dll") || { echo "check-far3-package: cannot read $dll"; exit 1; }
exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*\(+base\[[[:space:]]*[0-9]*\][[:space:]]*[0-9a-f]*[[:space:]]*\)\{0,1\}//p' |
          awk 'NF { print $NF }' | sort | tr '\n' ' ' | sed 's/ $//')
imports=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | sort -u)
[ "$exports" = "$want_exports" ] || problem "exports are [$exports], want exactly [$want_exports]"
for name in $imports; do
    case " $allowed " in
    *" $name "*) ;;
    *) problem "imports from $name, which a stock Windows lacks" ;;
    esac
done
size=$(stat -c %s "$dll")
if [ "$arch" = x64 ] && [ "$size" -gt "$max_x64" ]; then
    problem "the x64 DLL is $size bytes, more than $max_x64"
fi
if "$objdump" -h "$dll" | grep -q '\.debug_'; then
    problem "the DLL is not stripped"
fi
rc=$("$windres" -i "$dll" -O rc 2>&1) || problem "cannot read the resources of $dll: $rc"
IFS=. read -r major minor patch <<<"$version"
for line in "FILEVERSION $major, $minor, $patch, 0" "VALUE \"FileVersion\", \"$version\"" \
            "VALUE \"ProductName\", \"Quorrel\"" "VALUE \"FileDescription\", \"Quorrel"; do
    grep -qF "$line" <<<"$rc" || problem "the version resource lacks: $line"
done

# ---- the package ----
if [ ! -f "$zip" ]; then
    problem "no $zip"
    exit 1
fi
zip=$(realpath "$zip")
work=$(mktemp -d "${TMPDIR:-/tmp}/check-far3-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
files="Quorrel.dll QuorrelEng.lng QuorrelGer.lng Quorrel.hlf QuorrelGer.hlf ReadMe.txt"
want=$(for f in $files; do echo "Quorrel/$f"; done | sort)
have=$(cd "$work" && cmake -E tar tf "$zip" | grep -v '/$' | sort)
[ "$have" = "$want" ] || problem "the package holds [$(echo $have)], want [$(echo $want)]"
(cd "$work" && cmake -E tar xf "$zip") || problem "cannot unpack $zip"
cmp -s "$work/Quorrel/Quorrel.dll" "$dll" || problem "Quorrel.dll in the package is not $dll"
grep -q "Quorrel $version for Far 3 ($arch)" "$work/Quorrel/ReadMe.txt" 2>/dev/null ||
    problem "ReadMe.txt does not name version $version and $arch"
for f in QuorrelEng.lng QuorrelGer.lng Quorrel.hlf QuorrelGer.hlf; do
    file=$work/Quorrel/$f
    [ -f "$file" ] || continue
    [ "$(head -c 3 "$file" | od -An -tx1 | tr -d ' ')" = efbbbf ] || problem "$f does not start with a UTF-8 BOM"
    iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 || problem "$f is not UTF-8"
    sed '1s/^\xEF\xBB\xBF//' "$file" | head -n 1 | grep -q '^\.Language=' || problem "$f names no language"
done
for f in Quorrel.hlf QuorrelGer.hlf; do
    file=$work/Quorrel/$f
    [ -f "$file" ] || continue
    text=$(tr -d '\r' <"$file")
    grep -qx '\.PluginContents=Quorrel' <<<"$text" || problem "$f lacks .PluginContents"
    for topic in Contents Options Details Find Recent Far3; do
        grep -qx "@$topic" <<<"$text" || problem "$f lacks the topic $topic"
    done
done
# Messages: as many in both languages, and the German umlauts came through.
count() { grep -c '^"' "$1"; }
[ "$(count "$work/Quorrel/QuorrelEng.lng")" = "$(count "$work/Quorrel/QuorrelGer.lng")" ] ||
    problem "the two message files hold different numbers of messages"
grep -q 'Zwischenablage' "$work/Quorrel/QuorrelGer.lng" && grep -q 'gewählte' "$work/Quorrel/QuorrelGer.lng" ||
    problem "QuorrelGer.lng lost its umlauts in the conversion"

[ $status -eq 0 ] && echo "check-far3-package: $(basename "$zip"): $(echo $have | wc -w) files;" \
    "the DLL ($size bytes) exports $exports; imports from $(echo $imports); version $version"
exit $status
