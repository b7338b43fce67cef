#pragma once

namespace halvane {

// Gives the pages of freed memory that the C library's allocator still holds back to the
// system, from the top of the heap and from within it.
void ReturnFreeMemoryToSystem();

}  // namespace halvane
