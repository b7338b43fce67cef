#include "platform/linux/free_memory.h"

#include <malloc.h>

namespace halvane {

void ReturnFreeMemoryToSystem() {
  malloc_trim(0);
}

}  // namespace halvane
