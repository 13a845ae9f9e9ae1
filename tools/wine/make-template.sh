#!/usr/bin/env bash
# Creates a Wine prefix template that Windows test runs copy: a win32 or
# win64 prefix, booted once, with "Arial" replaced by "Liberation Sans" so
# that text metrics are the same on every machine.
# Usage: make-template.sh TEMPLATE_DIR [win32|win64]
set -euo pipefail
template=${1:?usage: make-template.sh TEMPLATE_DIR [win32|win64]}
arch=${2:-win32}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
stamp="$template/.km-template-ready"
ready() { [[ -f $stamp && $stamp -nt ${BASH_SOURCE[0]} ]]; }
ready && exit 0

# Concurrent test runs wait for the one that creates the template.
mkdir -p "$(dirname "$template")"
exec 9>"$template.lock"
flock 9
ready && exit 0

rm -rf "$template"
mkdir -p "$(dirname "$template")"
export WINEPREFIX
WINEPREFIX=$(realpath -m "$template")
export WINEARCH=$arch WINEDEBUG=-all
# No Mono or Gecko installers: nothing here uses .NET or HTML.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

loader=$(bash "$here/wine-loader" "$arch")
echo "Creating Wine prefix template in $template ($arch)"
"$loader" wineboot -i >/dev/null 2>&1
"$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
