// The character records of the lyrics document and the free list they come
// from. Records are allocated in blocks of 100; a block is released only
// when the pool is destroyed, so taking and giving back records after the
// first edits costs no allocation.
#pragma once

#include <cstddef>
#include <cstdint>

// One character of the document, in a doubly linked list.
struct CharNode {
  uint16_t code;       // see editor/document/character_code.h
  uint16_t syncpoint;  // 0 none, 1 syncpoint
  CharNode* next;
  CharNode* prev;
};

// Where the blocks come from; tests pass one that runs out.
struct NodeMemory {
  void* (*allocate)(size_t bytes);
  void (*release)(void* block);
};

// malloc and free.
const NodeMemory& HeapNodeMemory();

class CharNodePool {
 public:
  static constexpr int kBlockNodes = 100;

  explicit CharNodePool(const NodeMemory& memory) : memory_(memory) {}
  ~CharNodePool();
  CharNodePool(const CharNodePool&) = delete;
  CharNodePool& operator=(const CharNodePool&) = delete;

  // One record (its fields undefined), or null when no block can be had.
  CharNode* Take();
  // Takes back a chain linked by `next` and ended by null.
  void Give(CharNode* chain);

 private:
  struct Block;
  NodeMemory memory_;
  Block* blocks_ = nullptr;
  CharNode* free_ = nullptr;
};
