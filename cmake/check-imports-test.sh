#!/bin/bash
# Tests check-imports.sh on small DLLs built here, one per case: each must
# pass or fail as the table says, naming the function it should name.
#   check-imports-test.sh    (CC_I686 and OBJDUMP as for check-imports.sh)
set -u
here=$(dirname "$(realpath "$0")")
cc=${CC_I686:-i686-w64-mingw32-gcc}
work=$(mktemp -d "${TMPDIR:-/tmp}/check-imports-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

# name | exit status | text the output must hold | the DLL's one function body
cases='
old-enough    |0| all 3 KERNEL32, USER32 and ADVAPI32 imports are declared | return GetTickCount() + lstrlenA("") + (int)(INT_PTR)RegCloseKey;
vectored      |1| imports AddVectoredExceptionHandler, which Windows NT 4.0 lacks (a newer | return AddVectoredExceptionHandler(0, 0) != 0;
srw-family    |1| imports AcquireSRWLockExclusive, which Windows NT 4.0 lacks (a newer | SRWLOCK l; AcquireSRWLockExclusive(&l); return 0;
console-ex    |1| imports GetConsoleScreenBufferInfoEx, which Windows NT 4.0 lacks (a newer | return GetConsoleScreenBufferInfoEx(0, 0);
registry      |1| imports RegGetValueA, which Windows NT 4.0 lacks (a newer | return RegGetValueA(0, 0, 0, 0, 0, 0, 0);
not-declared  |1| imports GetFileInformationByHandleEx, which Windows NT 4.0 lacks (not declared | return GetFileInformationByHandleEx(0, 0, 0, 0);
user32-newer  |1| imports AddClipboardFormatListener, which Windows NT 4.0 lacks (not declared | return AddClipboardFormatListener(0);
no-imports    |1| no KERNEL32, USER32 or ADVAPI32 imports | return 0;
'

failures=0
while IFS='|' read -r name want text body; do
    name=${name// /}
    [ -z "$name" ] && continue
    text=${text# }; text=${text% }
    printf '#define WIN32_LEAN_AND_MEAN\n#include <windows.h>\n__declspec(dllexport) int f(void) { %s }\n' "$body" >"$work/$name.c"
    if ! "$cc" -D_WIN32_WINNT=0x0602 -shared -nostartfiles -Wl,-e,0 -o "$work/$name.dll" \
            "$work/$name.c" -ladvapi32 2>"$work/$name.err"; then
        echo "FAIL $name: the test DLL does not build:"; cat "$work/$name.err"
        failures=$((failures + 1))
        continue
    fi
    out=$("$here/check-imports.sh" "$work/$name.dll" 2>&1)
    status=$?
    if [ "$status" != "$want" ] || [[ $out != *"$text"* ]]; then
        echo "FAIL $name: exit status $status (want $want), output:"
        echo "$out" | sed 's/^/    /'
        echo "    (want it to hold: $text)"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
done <<<"$cases"
[ $failures -eq 0 ]
