// The tee's second branch: copies of the samples and the stream events in
// a bounded queue that a thread of its own delivers, so that the streaming
// thread never waits for the branch. When the branch falls more than about
// two seconds behind, new samples are dropped (the next one delivered is
// marked as a discontinuity); stream events are never dropped.
#pragma once

#include <windows.h>

#include <deque>
#include <vector>

#include "filters/audio_tee/audio_delivery.h"
#include "filters/directshow/critical_section.h"

class OutputPin;

class BranchQueue {
 public:
  explicit BranchQueue(OutputPin& pin) : pin_(pin) {}
  ~BranchQueue();
  BranchQueue(const BranchQueue&) = delete;
  BranchQueue& operator=(const BranchQueue&) = delete;

  // Starts the delivering thread (the filter leaves Stopped).
  HRESULT Start(long bytesPerSecond, long blockAlign);
  // Asks the thread to end without waiting (the filter stops; the pin's
  // allocator is decommitted, which releases a waiting thread).
  void RequestStop();
  // Waits for the thread to end and drops what is queued.
  void Join();

  void PushSample(const AudioPiece& piece);
  void PushEndOfStream();
  void PushNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
  // Drops what is queued, refuses new items and passes the flush on.
  void BeginFlush();
  // Waits for a delivery in progress, accepts items again, passes it on.
  void EndFlush();

  // The number of samples dropped since Start.
  long Dropped();

 private:
  enum class Kind { kSample, kEndOfStream, kNewSegment };
  struct Item {
    Kind kind = Kind::kSample;
    std::vector<BYTE> data;
    AudioPiece piece;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    double rate = 1.0;
  };

  static DWORD WINAPI ThreadMain(void* self);
  void Deliver(Item& item);
  void Push(Item&& item);

  OutputPin& pin_;
  CriticalSection lock_;          // the queue and the flags
  CriticalSection deliveryLock_;  // held by the thread while it delivers
  std::deque<Item> items_;
  size_t queuedBytes_ = 0;
  size_t maxBytes_ = 0;
  bool quit_ = false;
  bool flushing_ = false;
  bool dropped_ = false;  // the next delivered sample follows a gap
  long droppedCount_ = 0;
  long bytesPerSecond_ = 0;
  long blockAlign_ = 1;
  HANDLE wake_ = nullptr;
  HANDLE thread_ = nullptr;
};
