#include "support/epoch_list.h"

#include <stdexcept>

namespace trackmint {

waypoints* EpochList::NextSlot() {
  if (m_size == capacity()) {
    if (m_blocks_used == kMaxBlocks) throw std::length_error("epoch list full");
    // Raw storage: the pages of a block are touched only as records arrive.
    m_blocks[m_blocks_used].reset(std::allocator<waypoints>().allocate(BlockSize(m_blocks_used)));
    ++m_blocks_used;
  }
  return Slot(m_size);
}

void EpochList::clear() {
  for (waypoints& record : *this) record.~waypoints();
  for (auto& block : m_blocks) block.reset();
  m_blocks_used = 0;
  m_size = 0;
}

}  // namespace trackmint
