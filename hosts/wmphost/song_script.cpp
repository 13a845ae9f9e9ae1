#include "hosts/wmphost/song_script.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace {

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
  return wide;
}

bool IsAbsolute(const std::wstring& url) {
  return (url.size() >= 2 && url[1] == L':') || (!url.empty() && url[0] == L'\\') ||
         url.find(L"://") != std::wstring::npos;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

bool ParseSongScript(const std::string& text, const std::wstring& folder, SongScript& script,
                     std::string& error) {
  script.steps.clear();
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    const size_t space = line.find_first_of(" \t");
    if (space == std::string::npos) {
      error = where + "expected SECONDS and a URL or 'end'";
      return false;
    }
    const std::string number_text = line.substr(0, space);
    char* end = nullptr;
    SongStep step;
    step.start = std::strtod(number_text.c_str(), &end);
    if (end == number_text.c_str() || *end != '\0' || step.start < 0) {
      error = where + "'" + number_text + "' is not a time in seconds";
      return false;
    }
    if (!script.steps.empty() && step.start < script.steps.back().start) {
      error = where + "steps must be in time order";
      return false;
    }
    const std::string rest = Trim(line.substr(space));
    if (rest != "end") {
      step.url = Widen(rest);
      if (!IsAbsolute(step.url)) step.url = folder + step.url;
    }
    script.steps.push_back(step);
  }
  if (script.steps.empty()) {
    error = "the script has no steps";
    return false;
  }
  return true;
}

SongMoment SongMomentAt(const SongScript& script, double seconds) {
  SongMoment moment;
  for (size_t i = 0; i < script.steps.size() && script.steps[i].start <= seconds; ++i) {
    moment.step = int(i);
  }
  if (moment.step < 0) return moment;
  const SongStep& step = script.steps[moment.step];
  if (step.url.empty()) {
    moment.ended = true;
    return moment;
  }
  moment.position = seconds - step.start;
  if (size_t(moment.step) + 1 < script.steps.size()) {
    moment.duration = script.steps[moment.step + 1].start - step.start;
  }
  return moment;
}
