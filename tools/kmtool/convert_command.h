// kmtool convert: a lyrics file through the editor's readers and writers,
// as opening it in the editor and saving it as another type would.
#pragma once

struct ConvertRequest {
  const char* input = nullptr;
  const char* output = nullptr;
  bool wordLrc = false;  // write LRC with word tags
};

// Exit code: 0 written; 1 the input cannot be read or the output type
// cannot hold it (a message on stderr says which); 2 an output type that
// does not exist.
int RunConvert(const ConvertRequest& request);
