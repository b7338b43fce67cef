#include "snapshot/rec_text.h"

#include <atomic>
#include <cstring>
#include <new>

namespace halvane {

struct RecText::Block {
  std::atomic<std::uint32_t> refs;
  std::size_t size;
  char* Text() noexcept { return reinterpret_cast<char*>(this + 1); }
};

RecText::Block* RecText::SharedBlock() const noexcept {
  Block* block = nullptr;
  std::memcpy(&block, bytes_, sizeof block);
  return block;
}

void RecText::SetInline(std::string_view text) noexcept {
  std::memset(bytes_, 0, sizeof bytes_);
  if (!text.empty())
    std::memcpy(bytes_, text.data(), text.size());
  bytes_[kInlineCapacity] = static_cast<char>(kInlineCapacity - text.size());
}

void RecText::SetShared(Block* block) noexcept {
  std::memset(bytes_, 0, sizeof bytes_);
  std::memcpy(bytes_, &block, sizeof block);
  bytes_[kInlineCapacity] = static_cast<char>(kSharedTag);
}

void RecText::Assign(std::string_view text) {
  if (text.size() <= kInlineCapacity) {
    SetInline(text);
    return;
  }
  // The block holds the text and a 0 byte after it.
  void* memory = ::operator new(sizeof(Block) + text.size() + 1);
  Block* block = new (memory) Block{{1}, text.size()};
  std::memcpy(block->Text(), text.data(), text.size());
  block->Text()[text.size()] = '\0';
  SetShared(block);
}

void RecText::Release() noexcept {
  if (!IsShared())
    return;
  Block* block = SharedBlock();
  if (block->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    block->~Block();
    ::operator delete(block);
  }
}

RecText::RecText(const RecText& other) noexcept {
  std::memcpy(bytes_, other.bytes_, sizeof bytes_);
  if (IsShared())
    SharedBlock()->refs.fetch_add(1, std::memory_order_relaxed);
}

RecText::RecText(RecText&& other) noexcept {
  std::memcpy(bytes_, other.bytes_, sizeof bytes_);
  other.SetInline({});
}

RecText& RecText::operator=(const RecText& other) noexcept {
  if (this != &other) {
    RecText copy(other);
    *this = std::move(copy);
  }
  return *this;
}

RecText& RecText::operator=(RecText&& other) noexcept {
  if (this != &other) {
    Release();
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.SetInline({});
  }
  return *this;
}

RecText& RecText::operator=(std::string_view text) {
  // The text may point into this very value, so the new one is made before the old one goes.
  RecText fresh(text);
  return *this = std::move(fresh);
}

std::string_view RecText::view() const noexcept {
  if (IsShared()) {
    Block* block = SharedBlock();
    return {block->Text(), block->size};
  }
  return {bytes_, size()};
}

const char* RecText::c_str() const noexcept {
  return IsShared() ? SharedBlock()->Text() : bytes_;
}

std::size_t RecText::size() const noexcept {
  if (IsShared())
    return SharedBlock()->size;
  return kInlineCapacity - static_cast<unsigned char>(bytes_[kInlineCapacity]);
}

void RecText::clear() noexcept {
  Release();
  SetInline({});
}

bool RecText::SharesStorageWith(const RecText& other) const noexcept {
  return IsShared() && other.IsShared() && SharedBlock() == other.SharedBlock();
}

bool operator==(const RecText& a, const RecText& b) noexcept {
  return a.SharesStorageWith(b) || a.view() == b.view();
}

}  // namespace halvane
