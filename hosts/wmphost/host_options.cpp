#include "hosts/wmphost/host_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && std::isfinite(value) && value >= 0;
}

bool ParseFrames(const std::string& text, std::vector<double>& frames) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    double value;
    if (!ParseNumber(item, value)) return false;
    frames.push_back(value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return !frames.empty();
}

}  // namespace

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--list") {
      options.list = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "unknown option or missing value: " + arg;
      return false;
    }
    const std::string& value = args[++i];
    double number = 0;
    bool ok = true;
    if (arg == "--play") {
      options.play = value;
    } else if (arg == "--script") {
      options.script = value;
    } else if (arg == "--effect") {
      options.effect = value;
    } else if (arg == "--preset") {
      ok = ParseNumber(value, number) && number == std::floor(number) && number < 1000;
      options.preset = int(number);
    } else if (arg == "--render") {
      ok = value == "window" || value == "memory";
      options.render = value == "memory" ? RenderMode::kMemory : RenderMode::kWindowed;
    } else if (arg == "--frames") {
      ok = ParseFrames(value, options.frames);
    } else if (arg == "--save-every") {
      ok = ParseNumber(value, options.saveEvery) && options.saveEvery > 0;
    } else if (arg == "--out") {
      options.out = value;
    } else if (arg == "--seconds") {
      ok = ParseNumber(value, options.seconds) && options.seconds > 0;
    } else if (arg == "--size") {
      ok = std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height) == 2 &&
           options.width > 0 && options.height > 0 && options.width <= 4096 &&
           options.height <= 4096;
    } else {
      error = "unknown option: " + arg;
      return false;
    }
    if (!ok) {
      error = "bad value for " + arg + ": " + value;
      return false;
    }
  }
  if (options.list) return true;
  if (options.play.empty() == options.script.empty()) {
    error = "give one of --play FILE and --script FILE";
    return false;
  }
  if (!options.frames.empty() && options.script.empty()) {
    error = "--frames needs --script";
    return false;
  }
  if (options.saveEvery > 0 && options.out.empty()) {
    error = "--save-every needs --out PREFIX";
    return false;
  }
  return true;
}

std::string FrameFileName(const std::string& prefix, double seconds) {
  return prefix + "-" + std::to_string(static_cast<long>(std::lround(seconds * 100))) + ".bmp";
}
