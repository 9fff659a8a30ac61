#!/usr/bin/env bash
# Static checks of a Windows DLL built with mingw-w64:
#   check_dll.sh table   OBJDUMP DLL MACHINE  machine type (014c or 8664), exactly
#                                             the two entry points exported under
#                                             their plain names, system imports only
#   check_dll.sh stdcall OBJDUMP DLL          every return of each exported entry
#                                             point pops its 32-bit stdcall arguments
set -euo pipefail
mode=$1 objdump=$2 dll=$3
headers=$("$objdump" -p "$dll")
fail=0
report() { echo "FAIL: $*"; fail=1; }

exported() {  # name RVA, one line an export
    awk '/^Export Address Table -- Ordinal Base/{a=1;next} a&&/Export RVA/{rva[$2]=$5}
         /^\[Ordinal\/Name Pointer\] Table/{n=1;next} n&&/^\t\[/{print $3, rva[$2]}
         n&&/^$/{n=0}' FS='[][ \t]+' <<<"$headers"
}

case $mode in
table)
    machine=$4
    # The machine field of the PE header, at the offset stored at 0x3c, plus 4.
    pe=$(od -An -tu4 -j60 -N4 "$dll" | tr -d ' ')
    actual=$(od -An -tx2 -j$((pe + 4)) -N2 "$dll" | tr -d ' ')
    [ "$actual" = "$machine" ] && echo "machine $actual" || report "machine $actual, expected $machine"

    names=$(awk '/^\[Ordinal\/Name Pointer\] Table/{n=1;next} n&&/^\t\[/{print $NF} n&&/^$/{n=0}' <<<"$headers" | sort)
    expected=$'Java_NET_tellandrix_MumbleLink_initMumble\nJava_NET_tellandrix_MumbleLink_updateMumble'
    [ "$names" = "$expected" ] && echo "exports: $(echo $names)" || report "exports: $(echo $names)"

    imports=$(awk '/DLL Name:/{print $3}' <<<"$headers" | sort -u)
    echo "imports: $(echo $imports)"
    for import in $imports; do
        case ${import,,} in
            kernel32.dll | msvcrt.dll | api-ms-win-crt-*.dll) ;;
            *) report "imports non-system DLL $import" ;;
        esac
    done
    for function in OpenFileMappingW MapViewOfFile UnmapViewOfFile CloseHandle; do
        grep -q -w "$function" <<<"$headers" || report "does not import $function"
    done
    ;;
stdcall)
    base=$(awk '/^ImageBase/{print $2}' <<<"$headers")
    disassembly=$("$objdump" -d --no-show-raw-insn "$dll")
    while read -r name rva; do
        case $name in
            *_initMumble) pops=0x8 ;;     # JNIEnv*, jclass
            *_updateMumble) pops=0x30 ;;  # JNIEnv*, jclass, 2 jstring, 8 jfloat
            *) report "unexpected export $name"; continue ;;
        esac
        start=$(printf '%08x' $((0x$base + 0x$rva)))
        returns=$(awk -v s="$start" '$1==s && /:$/ {f=1; next} f && /^$/ {exit} f && /\tret/ {print $NF}' \
                  <<<"$disassembly" | sort -u)
        if [ "$returns" = "\$$pops" ]; then
            echo "$name: every return is ret \$$pops"
        else
            report "$name returns with: $(echo ${returns:-nothing found}), expected ret \$$pops"
        fi
    done < <(exported)
    ;;
*) echo "usage: $0 table|stdcall OBJDUMP DLL [MACHINE]" >&2; exit 2 ;;
esac
exit $fail
