#!/usr/bin/env bash
# Makes the help file's pictures again from the programs of a Windows build,
# under Wine: three karaoke frames of the sample song drawn by kmtool with the
# plug-ins' display engine, and the editor's window captured by editorshot.
# BMP captures become PNG files in OUTDIR.
# Usage: make-pictures.sh KMTOOL_EXE EDITORSHOT_EXE OUTDIR
set -euo pipefail
kmtool=${1:?usage: make-pictures.sh KMTOOL_EXE EDITORSHOT_EXE OUTDIR}
editorshot=${2:?usage: make-pictures.sh KMTOOL_EXE EDITORSHOT_EXE OUTDIR}
out=${3:?usage: make-pictures.sh KMTOOL_EXE EDITORSHOT_EXE OUTDIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
winpath() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }

arch=$(bash "$root/tools/wine/pe-arch" "$kmtool") || { echo "make-pictures: $kmtool is not a Windows program" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/kmhelp-pictures.XXXXXX")
trap 'rm -rf "$work"' EXIT

# name  layout  size  time (centiseconds into the sample song)
frames=(
  "layout-2 2 400x120 450"
  "layout-3 3 400x150 950"
  "layout-4 4 400x190 1250"
)
# One batch file, so that all captures share one prefix that is made once.
# (Wine's cmd runs the right side of "||" after a program that succeeded, so
# each line's result is checked on a line of its own.)
batch="$work/pictures.bat"
{
  printf '@echo off\r\n'
  for frame in "${frames[@]}"; do
    read -r name layout size time <<< "$frame"
    printf '"%s" render "%s" --layout %s --size %s --time %s --out "%s"\r\nif errorlevel 1 exit /b 1\r\n' \
      "$(winpath "$kmtool")" "$(winpath "$root/samples/twinkle.km")" "$layout" "$size" "$time" \
      "$(winpath "$work/$name")"
  done
  printf '"%s" "%s"\r\nif errorlevel 1 exit /b 1\r\n' "$(winpath "$editorshot")" "$(winpath "$work/editor.bmp")"
} > "$batch"
"$root/tools/wine/winerun" --x11 --arch "$arch" cmd /c "$(winpath "$batch")"

pairs=()
for frame in "${frames[@]}"; do
  read -r name _ _ time <<< "$frame"
  pairs+=("$work/$name-$time.bmp" "$out/$name.png")
done
pairs+=("$work/editor.bmp" "$out/editor.png")
python3 "$here/bmp_to_png.py" "${pairs[@]}"
