// A movable global memory block holding a copy of some bytes, as the clipboard takes them.
#pragma once

#include "win/framework/CGlobalLock.h"
#include "win/framework/UniqueHandle.h"

#include <cstring>

namespace brindlex {

// The bytes and then `zeros` zero bytes (a terminator); an empty handle when memory is short.
inline CGlobalHandle CopyToGlobal(const void* data, std::size_t bytes, std::size_t zeros = 0) {
    CGlobalHandle hMem(::GlobalAlloc(GMEM_MOVEABLE, bytes + zeros));
    if (!hMem) {
        return hMem;
    }
    CGlobalLock lock(hMem.get());
    if (!lock) {
        return CGlobalHandle();
    }
    if (bytes != 0) {
        std::memcpy(lock.get(), data, bytes);
    }
    std::memset(static_cast<char*>(lock.get()) + bytes, 0, zeros);
    return hMem;
}

} // namespace brindlex
