#include "core/util/fresh_memory.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

void PrepareToFill(void *data, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    // Only the whole pages inside the range: the call acts on pages, and the
    // memory beside the range belongs to others.
    static const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(data) + page - 1) & ~(page - 1);
    const std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(page - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}
