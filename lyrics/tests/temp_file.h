// Scratch files for tests, named per process so that concurrent test runs
// (native and sanitizer builds under ctest -j) never share one.
#pragma once

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#define KM_TEST_GETPID _getpid
#else
#include <unistd.h>
#define KM_TEST_GETPID getpid
#endif

inline std::string TempPath(const std::string& name) {
  return testing::TempDir() + "km" + std::to_string(KM_TEST_GETPID()) + "_" + name;
}

// Writes `bytes` to a new scratch file and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  std::string path = TempPath(name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr) << path;
  if (file) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}
