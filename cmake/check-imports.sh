#!/bin/bash
# Checks that a 32-bit DLL loads on old Windows: Windows refuses to load a DLL
# that imports a function its system DLLs lack, and the plugin then silently
# does not appear. Two tests over the KERNEL32, USER32 and ADVAPI32 imports:
#  - each must be declared by MinGW's headers at the Windows NT 4.0 level
#    (_WIN32_WINNT and WINVER 0x0400): a C file taking every one's address
#    must compile;
#  - none may be one of the functions below, which are newer than NT 4.0
#    but which those headers declare whatever the level.
#   check-imports.sh Quorrel.dll
set -u
dll=${1:?usage: check-imports.sh file.dll}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
cc=${CC_I686:-i686-w64-mingw32-gcc}

# Shell patterns. First what run-time libraries bring along (winpthreads
# did): XP's vectored handlers, GetModuleHandleEx, GetNativeSystemInfo,
# RtlCaptureStackBackTrace, GetSystemTimes; XP SP2's Encode/DecodePointer,
# IsWow64Process; XP SP3's GetLogicalProcessorInformation; Server 2003's
# continue handlers, SetThreadStackGuarantee; Vista's
# GetCurrentProcessorNumber; 7's SetThreadErrorMode; 8's
# GetSystemTimePreciseAsFileTime. The Vista families Fls*, InitOnce*, SRW
# locks, condition variables, InitializeCriticalSectionEx and GetTickCount64
# are guarded today and listed all the same. Then what a console plugin
# might reach for: Windows 2000's GetConsoleWindow, GetFileSizeEx,
# SetFilePointerEx, GetSystemWindowsDirectory; XP's console fonts, display
# modes, process list, selection and AttachConsole, layered windows,
# PrintWindow, raw input; Vista's console Ex functions and history,
# RegGetValue, RegDeleteKeyEx.
deny='AddVectoredExceptionHandler RemoveVectoredExceptionHandler
AddVectoredContinueHandler RemoveVectoredContinueHandler
GetModuleHandleEx[AW] GetNativeSystemInfo RtlCaptureStackBackTrace GetSystemTimes
EncodePointer DecodePointer EncodeSystemPointer DecodeSystemPointer IsWow64Process
GetLogicalProcessorInformation SetThreadStackGuarantee GetCurrentProcessorNumber
SetThreadErrorMode GetSystemTimePreciseAsFileTime
Fls* InitOnce* *SRWLock* *ConditionVariable* InitializeCriticalSectionEx GetTickCount64
GetConsoleWindow GetFileSizeEx SetFilePointerEx GetSystemWindowsDirectory[AW]
AttachConsole *CurrentConsoleFont* GetConsoleFontSize *ConsoleDisplayMode
GetConsoleProcessList GetConsoleSelectionInfo *LayeredWindowAttributes PrintWindow
*RawInput* *ConsoleScreenBufferInfoEx *ConsoleHistoryInfo RegGetValue[AW] RegDeleteKeyEx[AW]'

dump=$("$objdump" -p "$dll") || { echo "check-imports: cannot read $dll" >&2; exit 1; }
# "DLL Name: X" starts a DLL's list; its functions are the lines "vma hint name".
imports=$(echo "$dump" | awk '
    /^[[:space:]]*DLL Name:/ { dll = toupper($3); next }
    /^[[:space:]]*$/ { dll = "" }
    dll ~ /^(KERNEL32|USER32|ADVAPI32)\.DLL$/ && /^[[:space:]]*[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ {
        print $3 }' | sort -u)
if [ -z "$imports" ]; then
    echo "check-imports: no KERNEL32, USER32 or ADVAPI32 imports found in $dll"
    exit 1
fi

status=0
declared=""
for name in $imports; do
    denied=0
    for pattern in $deny; do
        # shellcheck disable=SC2053  # the deny list holds patterns
        [[ $name == $pattern ]] && denied=1
    done
    if [ $denied = 1 ]; then
        echo "check-imports: imports $name, which Windows NT 4.0 lacks (a newer function)"
        status=1
    else
        declared="$declared $name"
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/check-imports.XXXXXX")
trap 'rm -rf "$work"' EXIT
# All of <windows.h> that declares KERNEL32, USER32 and ADVAPI32 functions
# (the lean set and the two ADVAPI32 headers it leaves out), without the OLE
# and sockets headers that made up most of the compile time.
{
    echo '#define WIN32_LEAN_AND_MEAN'
    echo '#include <windows.h>'
    echo '#include <wincrypt.h>'
    echo '#include <winefs.h>'
    for name in $declared; do echo "void *p_$name = (void *)&$name;"; done
} >"$work/imports.c"
if ! "$cc" -D_WIN32_WINNT=0x0400 -DWINVER=0x0400 -fsyntax-only "$work/imports.c" \
        2>"$work/errors"; then
    # The undeclared names, as the compiler reports them.
    missing=$(sed -n "s/.*error: .\([A-Za-z_0-9]*\). undeclared.*/\1/p" "$work/errors" | sort -u)
    if [ -n "$missing" ]; then
        for name in $missing; do
            echo "check-imports: imports $name, which Windows NT 4.0 lacks (not declared at _WIN32_WINNT=0x0400)"
        done
    else
        echo "check-imports: the import test file does not compile:"
        cat "$work/errors"
    fi
    status=1
fi
if [ $status -eq 0 ]; then
    echo "check-imports: $(basename "$dll"): all $(echo "$imports" | wc -l) KERNEL32, USER32 and" \
         "ADVAPI32 imports are declared at the NT 4.0 level, none is a known newer one"
fi
exit $status
