#include "hosts/winamphost/host_script.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

const char* const kCommands[] = {"add",    "play",  "playfile", "pos",   "rate",  "length",
                                 "seek",   "slider", "pause",   "resume", "stop", "notify",
                                 "key",    "popup", "pick",     "close", "save",  "report",
                                 "quit"};

bool IsCommand(const std::string& word) {
  return std::find(std::begin(kCommands), std::end(kCommands), word) != std::end(kCommands);
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error) {
  steps.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string at;
    if (!(words >> at)) continue;
    ScriptStep step;
    char* end = nullptr;
    const unsigned long value = std::strtoul(at.c_str(), &end, 10);
    if (*end != '\0' || !(words >> step.command) || !IsCommand(step.command)) {
      error = "line " + std::to_string(number) + ": " + line;
      return false;
    }
    step.at = static_cast<uint32_t>(value);
    for (std::string word; words >> word;) step.arguments.push_back(word);
    steps.push_back(step);
  }
  std::stable_sort(steps.begin(), steps.end(),
                   [](const ScriptStep& a, const ScriptStep& b) { return a.at < b.at; });
  return true;
}
