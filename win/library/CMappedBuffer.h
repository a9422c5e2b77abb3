// Memory for the next image of the library, made ready on a thread of its own. Most of the time
// a large image takes in new memory goes to page faults, and those the window need not wait
// for: the memory is touched here, in advance, and the image is then written into it.
#pragma once

#include "core/library/DataArchive.h"

#include <cstddef>
#include <thread>

namespace brindlex {

class CMappedBuffer {
public:
    CMappedBuffer() = default;
    CMappedBuffer(const CMappedBuffer&) = delete;
    CMappedBuffer& operator=(const CMappedBuffer&) = delete;
    ~CMappedBuffer() { Join(); }

    // Whether memory is ready or being made ready; Take hands it over.
    bool Pending() const { return m_bPending; }
    // Starts making `size` bytes ready. Without a thread or the memory, Take gives none.
    void Prepare(std::size_t size);
    // The memory made ready, empty but with its capacity (waited for if still being made), or
    // none at all.
    Bytes Take();

private:
    void Join();

    std::thread m_thread;
    Bytes m_bytes; // the thread's alone until joined
    bool m_bPending = false;
};

} // namespace brindlex
