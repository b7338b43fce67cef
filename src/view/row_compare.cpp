#include "view/row_compare.h"

namespace halvane {
namespace {

unsigned char Fold(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? c - 32 : c;
}

}  // namespace

int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
    const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
    if (x != y)
      return static_cast<int>(x) - static_cast<int>(y);
  }
  // The shorter text ends with its 0 byte first.
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -static_cast<int>(Fold(static_cast<unsigned char>(b[common])))
                             : static_cast<int>(Fold(static_cast<unsigned char>(a[common])));
}

const RecText* SortFieldOf(const TMyRec& rec, int column) {
  switch (column) {
    case 1:
      return &rec.ProcessName;
    case 3:
      return &rec.Protocol;
    case 4:
      return &rec.LocalIP;
    case 5:
      return &rec.LocalPort;
    case 6:
      return &rec.RemoteIP;
    case 7:
      return &rec.RemotePort;
    case 8:
      return &rec.State;
    case 10:
      return &rec.ProcessPath;
    case 11:
      return &rec.Description;
    case 12:
      return &rec.Company;
    default:
      return nullptr;
  }
}

int CompareRows(const TMyRec* rec1, const TMyRec* rec2, int column) {
  if (column > 12 || rec1 == nullptr || rec2 == nullptr)
    return 0;
  const RecText* a = SortFieldOf(*rec1, column);
  if (a == nullptr)
    return 0;
  return CompareFolded(*a, *SortFieldOf(*rec2, column));
}

}  // namespace halvane
