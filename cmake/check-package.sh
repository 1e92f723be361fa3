#!/bin/bash
# Checks the release package: its file list (a folder Quorrel/ with the DLL,
# every shipped message and help file, ReadMe.txt and LICENSE.txt), that its
# DLL is the checked build's byte for byte and its licence the repository's,
# what the ReadMe must say, and the DLL's version resource and image version.
#   check-package.sh Quorrel-<version>-win32.zip Quorrel.dll VERSION DIST_DIR
set -u
zip=${1:?usage: check-package.sh PACKAGE.zip Quorrel.dll VERSION DIST_DIR}
dll=${2:?}
version=${3:?}
dist=${4:?}
windres=${WINDRES:-i686-w64-mingw32-windres}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
root=$(cd "$(dirname "$0")/.." && pwd)

if [ ! -f "$zip" ]; then
    echo "check-package: no $zip; make it with: cmake --build $(dirname "$zip") --target package"
    exit 1
fi
zip=$(realpath "$zip")
work=$(mktemp -d "${TMPDIR:-/tmp}/check-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
problem() { echo "check-package: $*"; status=1; }

want=$( { echo Quorrel/Quorrel.dll; echo Quorrel/ReadMe.txt; echo Quorrel/LICENSE.txt
          for f in "$dist"/*; do
              [ -f "$f" ] && case "$f" in *.in) ;; *) echo "Quorrel/$(basename "$f")" ;; esac
          done; } | sort)
have=$(cd "$work" && cmake -E tar tf "$zip" | grep -v '/$' | sort)
[ "$have" = "$want" ] || problem "the package holds [$(echo $have)], want [$(echo $want)]"

(cd "$work" && cmake -E tar xf "$zip") || problem "cannot unpack $zip"
cmp -s "$work/Quorrel/Quorrel.dll" "$dll" ||
    problem "Quorrel.dll in the package is not $dll (rebuild the package)"
tr -d '\r' <"$work/Quorrel/LICENSE.txt" 2>/dev/null | cmp -s - "$root/LICENSE" ||
    problem "LICENSE.txt in the package is not the repository's LICENSE"

# The ReadMe: its title and the line under it, which Far it is for, how to
# remove it, its licence.
readme=$(tr -d '\r' <"$work/Quorrel/ReadMe.txt" 2>/dev/null)
title=$(sed -n 1p <<<"$readme")
[ "$title" = "Quorrel $version" ] || problem "ReadMe.txt's title is '$title', not 'Quorrel $version'"
[ "$(sed -n 2p <<<"$readme")" = "$(printf '%*s' ${#title} '' | tr ' ' =)" ] ||
    problem "ReadMe.txt's title is not underlined to its length"
for text in "versions 1.70 to 1.75" "Far 3" 'HKEY_CURRENT_USER\Software\Far\Plugins\Quorrel' \
            "BSD 3-Clause" "LICENSE.txt"; do
    grep -qF -- "$text" <<<"$readme" || problem "ReadMe.txt does not say: $text"
done

# The version resource, as windres reads it back from the DLL.
rc=$("$windres" -i "$dll" -O rc 2>&1) || problem "cannot read the resources of $dll: $rc"
IFS=. read -r major minor patch <<<"$version"
for line in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
            "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
            "VALUE \"ProductName\", \"Quorrel\"" "VALUE \"FileDescription\", \"Quorrel" \
            "VALUE \"CompanyName\", \"$(sed -n 's/^Copyright (c) [0-9]*, //p' "$root/LICENSE")\"" \
            "VALUE \"LegalCopyright\", \"$(grep '^Copyright ' "$root/LICENSE")"; do
    grep -qF "$line" <<<"$rc" || problem "the version resource lacks: $line"
done
# The PE header's image version, which Windows' file properties show too.
headers=$("$objdump" -p "$dll" 2>&1) || problem "cannot read the headers of $dll: $headers"
for line in "MajorImageVersion	$major" "MinorImageVersion	$minor"; do
    grep -qF "$line" <<<"$headers" || problem "the PE header lacks: $line"
done
[ $status -eq 0 ] && echo "check-package: $(basename "$zip") holds $(echo $have | wc -w) files; version $version"
exit $status
