#!/usr/bin/env bash
# Makes sure that everything the build and the tests need is installed.
# As root it installs what is missing (non-interactively, adding the i386
# architecture for 32-bit Wine); as any other user it lists what is missing
# and fails.
set -euo pipefail

# command-or-file  package
checks=(
  "cmake:cmake"
  "make:make"
  "g++:g++"
  "clang++:clang"
  "i686-w64-mingw32-g++-posix:g++-mingw-w64-i686-posix"
  "i686-w64-mingw32-windres:binutils-mingw-w64-i686"
  "i686-w64-mingw32-objdump:binutils-mingw-w64-i686"
  "x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix"
  "x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64"
  "wine:wine"
  # Both Wine loaders: 32-bit for machines that run i386 code, 64-bit for
  # every machine (some kernels refuse 32-bit programs altogether).
  "/usr/lib/wine/wineserver32:wine32:i386"
  "/usr/lib/wine/wineserver64:wine64"
  "Xvfb:xvfb"
  "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf:fonts-liberation"
  "/usr/src/googletest/CMakeLists.txt:googletest"
  "/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a:libclang-rt-14-dev"
  "python3:python3"
  "/usr/lib/python3/dist-packages/mido/__init__.py:python3-mido"
  # Audio under Wine without a sound card: a PulseAudio null sink for
  # winepulse, and the 32-bit GStreamer elements that Wine's DirectShow
  # decodes through (WAV parser and converters; MP3; WMA through libav),
  # for each of the two Wine loaders.
  "pulseaudio:pulseaudio"
  "pactl:pulseaudio-utils"
  "/usr/lib/i386-linux-gnu/libpulse.so.0:libpulse0:i386"
  "/usr/lib/i386-linux-gnu/gstreamer-1.0/libgstaudioconvert.so:gstreamer1.0-plugins-base:i386"
  "/usr/lib/i386-linux-gnu/gstreamer-1.0/libgstwavparse.so:gstreamer1.0-plugins-good:i386"
  "/usr/lib/i386-linux-gnu/gstreamer-1.0/libgstasf.so:gstreamer1.0-plugins-ugly:i386"
  "/usr/lib/i386-linux-gnu/gstreamer-1.0/libgstlibav.so:gstreamer1.0-libav:i386"
  "/usr/lib/x86_64-linux-gnu/libpulse.so.0:libpulse0"
  "/usr/lib/x86_64-linux-gnu/gstreamer-1.0/libgstaudioconvert.so:gstreamer1.0-plugins-base"
  "/usr/lib/x86_64-linux-gnu/gstreamer-1.0/libgstwavparse.so:gstreamer1.0-plugins-good"
  "/usr/lib/x86_64-linux-gnu/gstreamer-1.0/libgstasf.so:gstreamer1.0-plugins-ugly"
  "/usr/lib/x86_64-linux-gnu/gstreamer-1.0/libgstlibav.so:gstreamer1.0-libav"
  # The filters' tests: MP3 and WMA made from the sample song, and another
  # decoder's decodings of them to compare with (filters/tests).
  "ffmpeg:ffmpeg"
  # The sample song's voice and assembly (samples/make_sample_song.sh).
  "espeak-ng:espeak-ng"
  "sox:sox"
  # The help file's compiler and the installers' (help/, installer/).
  "chmcmd:fp-utils"
  "makensis:nsis"
)

missing=()
for entry in "${checks[@]}"; do
  what=${entry%%:*}
  pkg=${entry#*:}
  if [[ $what == /* ]]; then
    [[ -e $what ]] && continue
  else
    command -v "$what" >/dev/null 2>&1 && continue
  fi
  missing+=("$pkg")
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

# Unique package names, in order.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk '!seen[$0]++')

if [[ $(id -u) -ne 0 ]]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them as root (this script does so when run as root):" >&2
  echo "  dpkg --add-architecture i386 && apt-get update && apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
