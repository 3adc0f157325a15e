#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>

#include "nmea/waypoints.h"
#include "run/epoch_stream.h"

namespace trackmint {

// Every position record of a log, held by value in log order, for the tests that look at a whole
// log (the conversion streams its epochs instead). When full, the list doubles its
// capacity by adding a block as large as everything it holds so far; records never move once
// appended, so a growing list neither copies its records nor touches fresh memory twice.
class EpochList final : public Epochs {
 public:
  EpochList() = default;
  EpochList(const EpochList&) = delete;
  EpochList& operator=(const EpochList&) = delete;
  EpochList(EpochList&& other) noexcept { *this = std::move(other); }
  EpochList& operator=(EpochList&& other) noexcept;
  ~EpochList() override { clear(); }

  template <bool kConst>
  class Iterator;
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;

  bool empty() const override { return m_size == 0; }
  std::size_t size() const { return m_size; }
  std::size_t capacity() const { return m_blocks_used == 0 ? 0 : BlockStart(m_blocks_used); }

  waypoints& operator[](std::size_t index) { return *Slot(index); }
  const waypoints& operator[](std::size_t index) const { return *Slot(index); }
  waypoints& back() override { return *Slot(m_size - 1); }
  const waypoints& back() const { return *Slot(m_size - 1); }
  waypoints& front() { return *Slot(0); }
  const waypoints& front() const { return *Slot(0); }

  void push_back(const waypoints& record) {
    new (NextSlot()) waypoints(record);
    ++m_size;
  }
  void push_back(waypoints&& record) override {
    new (NextSlot()) waypoints(std::move(record));
    ++m_size;
  }
  void clear();

  iterator begin();
  iterator end();
  const_iterator begin() const;
  const_iterator end() const;

 private:
  static constexpr std::size_t kFirstBlock = 64;  // records
  static constexpr std::size_t kMaxBlocks = 48;

  struct FreeBlock {
    void operator()(waypoints* block) const { std::allocator<waypoints>().deallocate(block, 0); }
  };

  // Block 0 and block 1 hold kFirstBlock records each, every later block twice its predecessor.
  static std::size_t BlockStart(std::size_t block) {
    return block == 0 ? 0 : kFirstBlock << (block - 1);
  }
  static std::size_t BlockSize(std::size_t block) {
    return block == 0 ? kFirstBlock : kFirstBlock << (block - 1);
  }
  static std::size_t BlockOf(std::size_t index) {
    const std::size_t q = index / kFirstBlock;
    return q == 0 ? 0 : static_cast<std::size_t>(std::bit_width(q));
  }

  waypoints* Slot(std::size_t index) const {
    const std::size_t block = BlockOf(index);
    return m_blocks[block].get() + (index - BlockStart(block));
  }
  waypoints* NextSlot();

  std::array<std::unique_ptr<waypoints, FreeBlock>, kMaxBlocks> m_blocks;
  std::size_t m_blocks_used = 0;
  std::size_t m_size = 0;
};

template <bool kConst>
class EpochList::Iterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = waypoints;
  using difference_type = std::ptrdiff_t;
  using pointer = std::conditional_t<kConst, const waypoints*, waypoints*>;
  using reference = std::conditional_t<kConst, const waypoints&, waypoints&>;
  using List = std::conditional_t<kConst, const EpochList, EpochList>;

  Iterator() = default;
  Iterator(List* list, std::size_t index) : m_list(list), m_index(index) { Seek(); }

  reference operator*() const { return *m_slot; }
  pointer operator->() const { return m_slot; }
  Iterator& operator++() {
    ++m_index;
    if (++m_slot == m_block_end) Seek();
    return *this;
  }
  Iterator operator++(int) {
    Iterator previous = *this;
    ++*this;
    return previous;
  }
  bool operator==(const Iterator& other) const { return m_index == other.m_index; }

 private:
  void Seek() {
    if (m_list == nullptr || m_index >= m_list->m_size) return;
    const std::size_t block = BlockOf(m_index);
    m_slot = m_list->m_blocks[block].get() + (m_index - BlockStart(block));
    m_block_end = m_list->m_blocks[block].get() + BlockSize(block);
  }

  List* m_list = nullptr;
  std::size_t m_index = 0;
  pointer m_slot = nullptr;
  pointer m_block_end = nullptr;
};

inline EpochList& EpochList::operator=(EpochList&& other) noexcept {
  if (this != &other) {
    clear();
    m_blocks = std::move(other.m_blocks);
    m_blocks_used = std::exchange(other.m_blocks_used, 0);
    m_size = std::exchange(other.m_size, 0);
  }
  return *this;
}

inline EpochList::iterator EpochList::begin() {
  return iterator(this, 0);
}
inline EpochList::iterator EpochList::end() {
  return iterator(this, m_size);
}
inline EpochList::const_iterator EpochList::begin() const {
  return const_iterator(this, 0);
}
inline EpochList::const_iterator EpochList::end() const {
  return const_iterator(this, m_size);
}

}  // namespace trackmint
