#!/usr/bin/env bash
# Checks on the built deliverables that only read their files, so they run on
# any machine, also one that cannot run the programs: each is a PE of the
# expected kind (PE32 for i386, PE32+ for x86-64), imports only Windows system
# DLLs (the C and C++ runtimes and winpthread must be linked in statically),
# and the plug-ins and the filters' COM server export what their hosts look
# up; kmwmp.dll's export table names the module KMWMP.DLL.
# Usage: check_deliverables.sh OBJDUMP i386|x86-64 FILE...
set -uo pipefail
objdump=$1
arch=$2
shift 2
system_dlls='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|comdlg32|shell32|shlwapi|winmm|msvcrt|version|msimg32|uxtheme|quartz|ntdll)\.dll$'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for file in "$@"; do
  name=$(basename "$file")
  headers=$("$objdump" -p "$file" 2>&1)
  format=$("$objdump" -f "$file" 2>/dev/null | sed -n 's/.*file format //p' | head -n 1)
  [[ $format == "pei-$arch" ]] || fail "$name is '$format', not pei-$arch"
  magic=$(sed -n 's/^Magic[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers" | head -n 1)
  expected_magic=010b
  [[ $arch == x86-64 ]] && expected_magic=020b
  [[ $magic == "$expected_magic" ]] || fail "$name has optional-header magic '$magic', not $expected_magic"

  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
  [[ -n $dlls ]] || fail "$name: no import table found"
  while read -r dll; do
    [[ -z $dll ]] && continue
    tr 'A-Z' 'a-z' <<<"$dll" | grep -Eq "$system_dlls" || fail "$name imports $dll"
  done <<<"$dlls"
  echo "$name ($format): $(echo $dlls)"

  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
            sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
  case $name in
    kmwmp.dll | kmfilters.dll)
      wanted="DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer" ;;
    gen_kmru.dll) wanted="winampGetGeneralPurposePlugin" ;;
    *) wanted="" ;;
  esac
  for symbol in $wanted; do
    grep -qx "$symbol" <<<"$exports" || fail "$name does not export $symbol"
  done
  if [[ $name == kmwmp.dll ]]; then
    module=$(sed -n 's/^Name[[:space:]]*[0-9a-fA-F]* //p' <<<"$headers" | head -n 1)
    [[ $module == KMWMP.DLL ]] || fail "kmwmp.dll's export table names the module '$module', not KMWMP.DLL"
  fi
done
echo "$failures failed"
[[ $failures -eq 0 ]]
