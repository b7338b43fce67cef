#pragma once
#include <string>
#include <string_view>
#include <unordered_set>

namespace halvane {

// Collects "@$!" + name once per name that is not yet contained in the collected text, as a
// substring: a name that begins an already collected one (ab after abc.exe) adds nothing.
class ProgramCountText {
 public:
  void Clear();
  void Collect(std::string_view name);
  const std::string& Text() const { return text_; }
  int Count() const;

 private:
  std::string text_;
  // The text only grows, so a name found once stays found: each name is searched at most once.
  std::unordered_set<std::string> known_;
  // Rows come in runs of one program: a repeat of the last name needs no lookup.
  std::string last_;
  bool hasLast_ = false;
};

// The number of "@$!" markers in the text, counted from left to right.
int CountPrograms(const std::string& text);

}  // namespace halvane
