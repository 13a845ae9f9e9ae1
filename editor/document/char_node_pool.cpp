#include "editor/document/char_node_pool.h"

#include <cstdlib>
#include <new>

struct CharNodePool::Block {
  Block* next;
  CharNode nodes[kBlockNodes];
};

const NodeMemory& HeapNodeMemory() {
  static const NodeMemory heap = {std::malloc, std::free};
  return heap;
}

CharNodePool::~CharNodePool() {
  while (blocks_) {
    Block* next = blocks_->next;
    memory_.release(blocks_);
    blocks_ = next;
  }
}

CharNode* CharNodePool::Take() {
  if (!free_) {
    void* memory = memory_.allocate(sizeof(Block));
    if (!memory) return nullptr;
    Block* block = new (memory) Block;
    block->next = blocks_;
    blocks_ = block;
    for (int i = 0; i < kBlockNodes; ++i) {
      block->nodes[i].next = i + 1 < kBlockNodes ? &block->nodes[i + 1] : nullptr;
    }
    free_ = block->nodes;
  }
  CharNode* node = free_;
  free_ = node->next;
  return node;
}

void CharNodePool::Give(CharNode* chain) {
  while (chain) {
    CharNode* next = chain->next;
    chain->next = free_;
    free_ = chain;
    chain = next;
  }
}
