// The class identifiers of the filters in kmfilters.dll and the interface
// identifier of the lyrics display's own interface.
#pragma once

#include <windows.h>

// Writes decoded PCM audio to a RIFF WAVE file ("KMWS").
constexpr CLSID kClsidWaveWriterFilter = {
    0x8E0C2D41, 0x9A17, 0x4B35, {0xB6, 0xE8, 0x1F, 0x4D, 0x3C, 0x7A, 0x2E, 0x90}};
// One audio input, two outputs: the audio renderer and a second branch ("KMWT").
constexpr CLSID kClsidAudioTeeFilter = {
    0x8E0C2D40, 0x9A17, 0x4B35, {0xB6, 0xE8, 0x1F, 0x4D, 0x3C, 0x7A, 0x2E, 0x90}};
// Draws the audio, the lyrics and their timestamps ("KMWLD").
constexpr CLSID kClsidLyricsDisplayFilter = {
    0x8E0C2D42, 0x9A17, 0x4B35, {0xB6, 0xE8, 0x1F, 0x4D, 0x3C, 0x7A, 0x2E, 0x90}};
// ILyricsDisplay, the lyrics display filter's interface.
constexpr IID kIidLyricsDisplay = {
    0x8E0C2D43, 0x9A17, 0x4B35, {0xB6, 0xE8, 0x1F, 0x4D, 0x3C, 0x7A, 0x2E, 0x90}};
