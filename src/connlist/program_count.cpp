#include "connlist/program_count.h"

namespace halvane {
namespace {
constexpr std::string_view kProgramMarker = "@$!";
}

void ProgramCountText::Clear() {
  text_.clear();
  known_.clear();
  last_.clear();
  hasLast_ = false;
}

void ProgramCountText::Collect(std::string_view name) {
  if (hasLast_ && name == last_)
    return;
  last_ = name;
  hasLast_ = true;
  if (known_.count(last_))
    return;
  std::string entry;
  entry.reserve(kProgramMarker.size() + name.size());
  entry.append(kProgramMarker).append(name);
  if (text_.find(entry) == std::string::npos)
    text_ += entry;
  known_.insert(last_);
}

int ProgramCountText::Count() const {
  return CountPrograms(text_);
}

// The marker cannot overlap itself, so counting occurrences from left to right is the same as
// overwriting each one found with "000" and searching again.
int CountPrograms(const std::string& text) {
  int count = 0;
  for (std::size_t at = text.find(kProgramMarker); at != std::string::npos;
       at = text.find(kProgramMarker, at + kProgramMarker.size()))
    ++count;
  return count;
}

}  // namespace halvane
