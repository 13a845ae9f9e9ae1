#include "filters/audio_tee/branch_queue.h"

#include <utility>

#include "filters/directshow/output_pin.h"

BranchQueue::~BranchQueue() {
  RequestStop();
  Join();
}

HRESULT BranchQueue::Start(long bytesPerSecond, long blockAlign) {
  Join();
  bytesPerSecond_ = bytesPerSecond;
  blockAlign_ = blockAlign;
  maxBytes_ = static_cast<size_t>(bytesPerSecond) * 2 + 65536;
  quit_ = false;
  flushing_ = false;
  dropped_ = false;
  droppedCount_ = 0;
  wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!wake_) return HRESULT_FROM_WIN32(GetLastError());
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
  if (!thread_) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    CloseHandle(wake_);
    wake_ = nullptr;
    return hr;
  }
  return S_OK;
}

void BranchQueue::RequestStop() {
  Locked lock(lock_);
  quit_ = true;
  if (wake_) SetEvent(wake_);
}

void BranchQueue::Join() {
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (wake_) CloseHandle(wake_);
  wake_ = nullptr;
  Locked lock(lock_);
  items_.clear();
  queuedBytes_ = 0;
}

void BranchQueue::Push(Item&& item) {
  Locked lock(lock_);
  if (quit_ || flushing_ || !thread_) return;
  if (item.kind == Kind::kSample) {
    if (queuedBytes_ + item.data.size() > maxBytes_) {
      dropped_ = true;
      ++droppedCount_;
      return;
    }
    if (dropped_) item.piece.discontinuity = true;
    dropped_ = false;
    queuedBytes_ += item.data.size();
  }
  items_.push_back(std::move(item));
  SetEvent(wake_);
}

void BranchQueue::PushSample(const AudioPiece& piece) {
  if (piece.length <= 0) return;
  Item item;
  item.kind = Kind::kSample;
  item.data.assign(piece.data, piece.data + piece.length);
  item.piece = piece;
  Push(std::move(item));
}

void BranchQueue::PushEndOfStream() {
  Item item;
  item.kind = Kind::kEndOfStream;
  Push(std::move(item));
}

void BranchQueue::PushNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  Item item;
  item.kind = Kind::kNewSegment;
  item.start = start;
  item.stop = stop;
  item.rate = rate;
  Push(std::move(item));
}

void BranchQueue::BeginFlush() {
  {
    Locked lock(lock_);
    flushing_ = true;
    items_.clear();
    queuedBytes_ = 0;
  }
  pin_.DeliverBeginFlush();
}

void BranchQueue::EndFlush() {
  // A delivery that was under way has met the flushing receiver by now.
  { Locked delivery(deliveryLock_); }
  {
    Locked lock(lock_);
    flushing_ = false;
    dropped_ = false;
  }
  pin_.DeliverEndFlush();
}

long BranchQueue::Dropped() {
  Locked lock(lock_);
  return droppedCount_;
}

void BranchQueue::Deliver(Item& item) {
  switch (item.kind) {
    case Kind::kSample:
      item.piece.data = item.data.data();
      DeliverAudio(pin_, bytesPerSecond_, blockAlign_, item.piece);
      break;
    case Kind::kEndOfStream:
      pin_.DeliverEndOfStream();
      break;
    case Kind::kNewSegment:
      pin_.DeliverNewSegment(item.start, item.stop, item.rate);
      break;
  }
}

DWORD WINAPI BranchQueue::ThreadMain(void* self) {
  auto* queue = static_cast<BranchQueue*>(self);
  for (;;) {
    WaitForSingleObject(queue->wake_, INFINITE);
    for (;;) {
      Locked delivery(queue->deliveryLock_);
      Item item;
      {
        Locked lock(queue->lock_);
        if (queue->quit_) return 0;
        if (queue->items_.empty()) break;
        item = std::move(queue->items_.front());
        queue->items_.pop_front();
        if (item.kind == Kind::kSample) queue->queuedBytes_ -= item.data.size();
      }
      queue->Deliver(item);
    }
  }
}
