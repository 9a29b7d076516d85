#pragma once

// For the short-lived processes (velmora-cli and the archive worker), each of which handles
// a few large buffers in turn: a map archive, its scenario, a colour file, a request. By
// default the C library maps each buffer of 128 KiB or more afresh and unmaps it when freed,
// so the kernel faults in every page of every such buffer anew. Served from the heap and
// kept there when freed, the pages of one buffer are reused by the next. The process ends
// soon after, so the memory is given back then.

// Any C library header defines __GLIBC__; without one first, the test below would fail in a
// file that includes this header before the others and the heap would be left as it is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace shortlivedheap {

inline void keepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // The largest mapping threshold the C library takes on 64-bit systems; larger buffers
    // (a whole picture) are still mapped on their own.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

} // namespace shortlivedheap
