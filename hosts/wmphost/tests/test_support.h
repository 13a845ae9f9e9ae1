// Running the host and its helpers from a test, in the test's own prefix,
// and reading what they leave behind.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// Runs a command line and waits for it; its exit code, or -1 when it could
// not be started or did not end within the time.
inline int RunCommand(const std::string& commandLine, DWORD timeoutMs = 120000) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

inline bool RegisterServer(const char* dll) {
  return RunCommand(std::string("regsvr32 /s \"") + dll + "\"") == 0;
}

// A fresh folder for one test's files.
inline std::string MakeWorkFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return lines;
  char buffer[2048];
  while (std::fgets(buffer, sizeof buffer, file)) {
    std::string line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    lines.push_back(line);
  }
  std::fclose(file);
  return lines;
}

inline bool WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

inline bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline int CountFiles(const std::string& pattern) {
  WIN32_FIND_DATAA found;
  int count = 0;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// The lines that start with `prefix`.
inline std::vector<std::string> LinesStarting(const std::vector<std::string>& lines,
                                              const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
  }
  return found;
}
