// Included first on purpose: the header must work without any other header before it.
#include "core/common/ShortLivedHeap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

// After the call, a buffer of a few MiB comes from the heap (its pages kept for the next
// buffer when it is freed), not from a mapping of its own.
TEST(ShortLivedHeap, LargeBuffersComeFromTheHeap)
{
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "only the GNU C library's own allocator is tuned";
#else
    shortlivedheap::keepFreedMemoryForReuse();
    const size_t mappedBefore = mallinfo2().hblks;
    void *buffer = std::malloc(size_t(4) << 20);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(mallinfo2().hblks, mappedBefore);
    std::free(buffer);
#endif
}
