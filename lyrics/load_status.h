// The result of every lyrics loader. The plug-ins map it at their edges:
// to an HRESULT in the Windows Media Player plug-in, to true/false in the
// Winamp plug-in.
#pragma once

enum class LoadStatus {
  Loaded,       // the model is filled
  Invalid,      // missing, unreadable or malformed file; the model is empty
  OutOfMemory,  // an allocation failed; the model is empty
};
