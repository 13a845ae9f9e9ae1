// Delivers a piece of PCM audio through an output pin, copied into the
// pin's own buffers: split into as many buffers as it needs, each with its
// share of the time span.
#pragma once

#include <windows.h>

#include <strmif.h>

class OutputPin;

struct AudioPiece {
  const BYTE* data = nullptr;
  long length = 0;
  bool timed = false;
  REFERENCE_TIME start = 0;
  REFERENCE_TIME end = 0;
  bool discontinuity = false;
  bool syncPoint = false;
  bool preroll = false;
};

// Reads the data, times and flags of `sample` (which keeps the data).
HRESULT DescribeSample(IMediaSample* sample, AudioPiece* piece);

// Waits for each buffer (the receiver's pace); stops at the first failure
// or S_FALSE from the receiver and returns it.
HRESULT DeliverAudio(OutputPin& pin, long bytesPerSecond, long blockAlign,
                     const AudioPiece& piece);
