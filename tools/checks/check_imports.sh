#!/usr/bin/env bash
# Fails when a deliverable imports anything but Windows system DLLs (the
# C and C++ runtimes and winpthread must be linked in statically), and
# checks the module name in kmwmp.dll's export table.
# Usage: check_imports.sh OBJDUMP FILE...
set -uo pipefail
objdump=$1
shift
system_dlls='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|comdlg32|shell32|shlwapi|winmm|msvcrt|version|msimg32|uxtheme|quartz|ntdll)\.dll$'
failures=0
for file in "$@"; do
  dlls=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [[ -z $dlls ]]; then
    echo "FAIL: $file: no import table found"
    failures=$((failures + 1))
  fi
  while read -r dll; do
    [[ -z $dll ]] && continue
    if ! tr 'A-Z' 'a-z' <<<"$dll" | grep -Eq "$system_dlls"; then
      echo "FAIL: $(basename "$file") imports $dll"
      failures=$((failures + 1))
    fi
  done <<<"$dlls"
  echo "$(basename "$file"): $(echo $dlls)"
  if [[ $(basename "$file") == kmwmp.dll ]]; then
    name=$("$objdump" -p "$file" | sed -n 's/^Name[[:space:]]*[0-9a-fA-F]* //p' | head -n 1)
    if [[ $name != KMWMP.DLL ]]; then
      echo "FAIL: kmwmp.dll's export table names the module '$name', not KMWMP.DLL"
      failures=$((failures + 1))
    fi
  fi
done
echo "$failures failed"
[[ $failures -eq 0 ]]
