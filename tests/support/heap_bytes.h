#pragma once
// The bytes the program holds on the heap right now: from the sanitizer's
// allocator in a sanitizer build, else from the C library's.

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// Part of the sanitizer runtime's allocator interface.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
inline std::size_t HeapBytesInUse() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
#include <malloc.h>
inline std::size_t HeapBytesInUse() {
    return mallinfo2().uordblks;
}
#endif
