// A stand-in for the display filter on the tee's second branch, built on
// the same scaffolding: one PCM input that counts what arrives. A stuck
// sink never returns from Receive until flushed or stopped, as the
// slowest possible branch.
#pragma once

#include <windows.h>

#include "filters/directshow/base_filter.h"
#include "filters/directshow/input_pin.h"

class BranchSink;

class BranchSinkInput final : public InputPin {
 public:
  explicit BranchSinkInput(BranchSink* sink);
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT Inactive() override;

 protected:
  HRESULT OnReceive(IMediaSample* sample) override;
  HRESULT OnEndOfStream() override;
  void OnBeginFlush() override;

 private:
  BranchSink* const sink_;
};

class BranchSink final : public BaseFilter {
 public:
  explicit BranchSink(bool stuck);
  ~BranchSink() override;
  int PinCount() override { return 1; }
  BasePin* PinAt(int index) override { return index == 0 ? &input_ : nullptr; }

  volatile LONG bytes = 0;
  volatile LONG samples = 0;
  volatile LONG endsOfStream = 0;
  const bool stuck;
  HANDLE release;  // set by a flush or stop

 private:
  BranchSinkInput input_;
};
