#include "win/library/CMappedBuffer.h"

#include <new>
#include <system_error>

namespace brindlex {

void CMappedBuffer::Prepare(std::size_t size) {
    Join();
    m_bytes = {};
    m_bPending = true;
    try {
        m_thread = std::thread([this, size] {
            try {
                m_bytes.resize(size); // writing every page maps it
                m_bytes.clear();      // the capacity stays
            } catch (const std::bad_alloc&) {
                m_bytes = {};
            }
        });
    } catch (const std::system_error&) {
        m_bPending = false;
    }
}

Bytes CMappedBuffer::Take() {
    Join();
    m_bPending = false;
    Bytes bytes = std::move(m_bytes);
    m_bytes = {};
    return bytes;
}

void CMappedBuffer::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

} // namespace brindlex
