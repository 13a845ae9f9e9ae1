// A script of timed steps that drives the host for tests and the demo.
// One step a line: "<host ms> <command> [arguments]"; '#' starts a comment.
//   add <file> [length s]   add a playlist entry (length -1: unknown)
//   play <index>            start an entry on the scripted clock
//   playfile <index>        start an entry through DirectShow
//   pos <ms>                set the scripted clock's position
//   rate <0|1>              the scripted clock stands or runs
//   length <s>              the current entry's length becomes known
//   seek <ms>               IPC_JUMPTOTIME to the main window
//   slider <ms>             drag and release the position slider there
//   pause | resume | stop
//   notify <code>           WM_WA_IPC with that code to the main window
//   key <left|right>        Alt plus that arrow key, as typed
//   popup                   open the main menu's pop-up and close it again
//   pick <command>          pick a command of the main window's menu
//   close                   close the plug-in's frame
//   save <file.bmp>         save the plug-in window as the user sees it
//   report <file>           write what the host sees of the plug-in
//   quit                    exit as Winamp does
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptStep {
  uint32_t at;  // ms after the start
  std::string command;
  std::vector<std::string> arguments;
};

// False with `error` naming the line when a line cannot be read.
bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);
