#!/usr/bin/env bash
# Runs a command with KM_SMALL_DISK naming (as a Wine path) an empty file
# system of 300 KB, so that a test can fill it up. Where no file system can
# be mounted (not root), the variable stays unset and the test skips what
# needs it.
# Usage: small_disk.sh COMMAND [ARGS...]
set -uo pipefail
dir=$(mktemp -d "${TMPDIR:-/tmp}/kmdisk.XXXXXX")
mounted=0
if mount -t tmpfs -o size=300k tmpfs "$dir" 2>/dev/null; then
  mounted=1
  export KM_SMALL_DISK="Z:$dir"
fi
"$@"
rc=$?
[[ $mounted -eq 1 ]] && umount "$dir"
rmdir "$dir"
exit $rc
