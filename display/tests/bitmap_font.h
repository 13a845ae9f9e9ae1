// A raster font for tests, so that the checks meet a face that is not
// TrueType: a Windows 2.0 .fnt file with blank 8 x 16 glyphs for the
// printable ASCII characters, installed for this process only.
#pragma once

#include <windows.h>

#include <process.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

constexpr const char* kBitmapFace = "KmBitmapTest";

class BitmapFont {
 public:
  bool Install() {
    char temp[MAX_PATH];
    if (GetTempPathA(sizeof temp, temp) == 0) return false;
    path_ = std::string(temp) + "kmbitmap" + std::to_string(_getpid()) + ".fnt";
    const std::vector<unsigned char> bytes = FontFile();
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    installed_ = written && AddFontResourceExA(path_.c_str(), FR_PRIVATE, nullptr) == 1;
    return installed_;
  }

  void Uninstall() {
    if (installed_) RemoveFontResourceExA(path_.c_str(), FR_PRIVATE, nullptr);
    installed_ = false;
    DeleteFileA(path_.c_str());
  }

  ~BitmapFont() { Uninstall(); }

 private:
  static void Put16(std::vector<unsigned char>& b, size_t at, size_t value) {
    b[at] = value & 0xFF;
    b[at + 1] = (value >> 8) & 0xFF;
  }
  static void Put32(std::vector<unsigned char>& b, size_t at, size_t value) {
    for (int i = 0; i < 4; ++i) b[at + i] = (value >> (8 * i)) & 0xFF;
  }

  static std::vector<unsigned char> FontFile() {
    const size_t first = 0x20, last = 0x7E, height = 16;
    const size_t headerSize = 118, entries = last - first + 2;  // the last one is a sentinel
    const size_t bits = headerSize + entries * 4;
    const size_t faceAt = bits + entries * height;
    std::vector<unsigned char> b(faceAt + std::strlen(kBitmapFace) + 1, 0);
    Put16(b, 0, 0x200);     // dfVersion
    Put32(b, 2, b.size());  // dfSize
    Put16(b, 68, 12);       // dfPoints
    Put16(b, 70, 96);       // dfVertRes
    Put16(b, 72, 96);       // dfHorizRes
    Put16(b, 74, 13);       // dfAscent
    Put16(b, 83, 400);      // dfWeight
    Put16(b, 86, 8);        // dfPixWidth
    Put16(b, 88, height);   // dfPixHeight
    b[90] = 0x30;           // dfPitchAndFamily: fixed pitch, modern
    Put16(b, 91, 8);        // dfAvgWidth
    Put16(b, 93, 8);        // dfMaxWidth
    b[95] = first;
    b[96] = last;
    b[97] = '?' - first;  // dfDefaultChar
    Put16(b, 99, 2);      // dfWidthBytes
    Put32(b, 105, faceAt);
    Put32(b, 113, bits);
    for (size_t i = 0; i < entries; ++i) {
      Put16(b, headerSize + 4 * i, 8);
      Put16(b, headerSize + 4 * i + 2, bits + i * height);
    }
    std::memcpy(&b[faceAt], kBitmapFace, std::strlen(kBitmapFace) + 1);
    return b;
  }

  std::string path_;
  bool installed_ = false;
};
