#pragma once
#include <cstddef>
#include <string_view>

namespace halvane {

// Terminal columns a UTF-8 text takes: East Asian wide and full-width characters count two.
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace halvane
