#!/bin/bash
# Checks the release package: its file list (a folder Quorrel/ with the DLL,
# every shipped message and help file and ReadMe.txt), that its DLL is the
# checked build's byte for byte, and the DLL's version resource.
#   check-package.sh Quorrel-<version>-win32.zip Quorrel.dll VERSION DIST_DIR
set -u
zip=${1:?usage: check-package.sh PACKAGE.zip Quorrel.dll VERSION DIST_DIR}
dll=${2:?}
version=${3:?}
dist=${4:?}
windres=${WINDRES:-i686-w64-mingw32-windres}

if [ ! -f "$zip" ]; then
    echo "check-package: no $zip; make it with: cmake --build $(dirname "$zip") --target package"
    exit 1
fi
zip=$(realpath "$zip")
work=$(mktemp -d "${TMPDIR:-/tmp}/check-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
problem() { echo "check-package: $*"; status=1; }

want=$( { echo Quorrel/Quorrel.dll; echo Quorrel/ReadMe.txt
          for f in "$dist"/*; do
              [ -f "$f" ] && case "$f" in *.in) ;; *) echo "Quorrel/$(basename "$f")" ;; esac
          done; } | sort)
have=$(cd "$work" && cmake -E tar tf "$zip" | grep -v '/$' | sort)
[ "$have" = "$want" ] || problem "the package holds [$(echo $have)], want [$(echo $want)]"

(cd "$work" && cmake -E tar xf "$zip") || problem "cannot unpack $zip"
cmp -s "$work/Quorrel/Quorrel.dll" "$dll" ||
    problem "Quorrel.dll in the package is not $dll (rebuild the package)"
grep -q "Quorrel $version" "$work/Quorrel/ReadMe.txt" 2>/dev/null ||
    problem "ReadMe.txt does not name version $version"

# The version resource, as windres reads it back from the DLL.
rc=$("$windres" -i "$dll" -O rc 2>&1) || problem "cannot read the resources of $dll: $rc"
IFS=. read -r major minor patch <<<"$version"
for line in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
            "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
            "VALUE \"ProductName\", \"Quorrel\"" "VALUE \"FileDescription\", \"Quorrel"; do
    grep -qF "$line" <<<"$rc" || problem "the version resource lacks: $line"
done
[ $status -eq 0 ] && echo "check-package: $(basename "$zip") holds $(echo $have | wc -w) files; version $version"
exit $status
