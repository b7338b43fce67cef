#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace halvane {

// The text of one record field, in 16 bytes. Texts of up to 15 bytes (addresses, ports, PIDs,
// states, most image names) are kept in place; a longer one lives in one immutable block that
// every copy shares, so the thousands of rows of one process carry its path, description and
// company once. Copies may be made and dropped on different threads.
class RecText {
 public:
  static constexpr std::size_t kInlineCapacity = 15;

  RecText() noexcept { SetInline({}); }
  RecText(std::string_view text) { Assign(text); }  // NOLINT: implicit on purpose
  RecText(const std::string& text) : RecText(std::string_view(text)) {}
  RecText(const char* text) : RecText(std::string_view(text)) {}
  RecText(const RecText& other) noexcept;
  RecText(RecText&& other) noexcept;
  RecText& operator=(const RecText& other) noexcept;
  RecText& operator=(RecText&& other) noexcept;
  RecText& operator=(std::string_view text);
  RecText& operator=(const std::string& text) { return *this = std::string_view(text); }
  RecText& operator=(const char* text) { return *this = std::string_view(text); }
  ~RecText() { Release(); }

  std::string_view view() const noexcept;
  operator std::string_view() const noexcept { return view(); }  // NOLINT
  std::string str() const { return std::string(view()); }
  // Always followed by a 0 byte.
  const char* c_str() const noexcept;
  std::size_t size() const noexcept;
  bool empty() const noexcept { return size() == 0; }
  void clear() noexcept;

  // Whether both share one block: then they are equal without looking at the bytes.
  bool SharesStorageWith(const RecText& other) const noexcept;

  friend bool operator==(const RecText& a, const RecText& b) noexcept;
  friend bool operator==(const RecText& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const RecText& a, const std::string& b) noexcept {
    return a.view() == std::string_view(b);
  }
  friend bool operator==(const RecText& a, const char* b) noexcept {
    return a.view() == std::string_view(b);
  }

 private:
  struct Block;
  static constexpr unsigned char kSharedTag = 0xFF;

  bool IsShared() const noexcept {
    return bytes_[kInlineCapacity] == static_cast<char>(kSharedTag);
  }
  Block* SharedBlock() const noexcept;
  void SetInline(std::string_view text) noexcept;
  void SetShared(Block* block) noexcept;
  void Assign(std::string_view text);
  void Release() noexcept;

  // In place: the text, 0 bytes, and in the last byte 15 minus the length (so a 15-byte text is
  // followed by a 0 byte too). Shared: the block's address, and kSharedTag in the last byte.
  alignas(8) char bytes_[kInlineCapacity + 1];
};

inline std::string operator+(const RecText& a, std::string_view b) {
  return std::string(a.view()).append(b);
}
inline std::string operator+(std::string_view a, const RecText& b) {
  return std::string(a).append(b.view());
}

}  // namespace halvane
