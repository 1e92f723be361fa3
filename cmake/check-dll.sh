#!/bin/bash
# Checks the release DLL's tables: it must export exactly the four plugin
# functions under their plain names (no _ prefix, no @N stdcall decoration)
# and import only from DLLs every Windows has.
#   check-dll.sh Quorrel.dll
set -u
dll=${1:?usage: check-dll.sh Quorrel.dll}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
want="Configure GetPluginInfo OpenPlugin SetStartupInfo"
allowed="kernel32.dll user32.dll advapi32.dll msvcrt.dll"

dump=$("$objdump" -p "$dll") || { echo "check-dll: cannot read $dll" >&2; exit 1; }

# The export name table: lines "[ n] +base[ n] hint name" after "[Ordinal/Name Pointer] Table".
exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*\(+base\[[[:space:]]*[0-9]*\][[:space:]]*[0-9a-f]*[[:space:]]*\)\{0,1\}//p' |
          awk 'NF { print $NF }' | sort | tr '\n' ' ' | sed 's/ $//')
imports=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | sort -u)

status=0
if [ "$exports" != "$want" ]; then
    echo "check-dll: exports are [$exports], want exactly [$want]"
    status=1
fi
for dllname in $imports; do
    case " $allowed " in
    *" $dllname "*) ;;
    *) echo "check-dll: imports from $dllname, which a stock Windows lacks"; status=1 ;;
    esac
done
if [ $status -eq 0 ]; then
    echo "check-dll: $(basename "$dll") exports $exports; imports from $(echo $imports)"
fi
exit $status
