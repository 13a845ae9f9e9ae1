// The host's command line.
//   wmphost (--play FILE | --script FILE) [--effect NAME] [--preset N]
//           [--render window|memory] [--frames T1,T2,...] [--save-every SECONDS]
//           [--out PREFIX] [--seconds N] [--size WIDTHxHEIGHT]
//   wmphost --list
#pragma once

#include <string>
#include <vector>

enum class RenderMode { kWindowed, kMemory };

struct HostOptions {
  bool list = false;            // print the visualizations and quit
  std::string play;             // a file for the system's player object
  std::string script;           // a song script for the scripted player
  std::string effect;           // subkey, name or classid; empty: the first
  int preset = -1;              // -1: the plug-in's own
  RenderMode render = RenderMode::kWindowed;
  std::vector<double> frames;   // timeline seconds, one frame each
  double saveEvery = 0;         // seconds between saved frames, 0: none
  std::string out;              // prefix of the saved frames
  double seconds = 0;           // quit after this much playback, 0: at the end
  int width = 400;              // the visualization's client size
  int height = 300;
};

// False with a message for a bad command line.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error);

// The frame file for a time: PREFIX-<centiseconds>.bmp.
std::string FrameFileName(const std::string& prefix, double seconds);
