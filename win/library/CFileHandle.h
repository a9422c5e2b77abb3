// Owns a file handle from CreateFileW and closes it once.
#pragma once

#include "win/framework/UniqueHandle.h"

namespace brindlex {

class CFileHandle : public CUniqueHandle<FileTraits> {
public:
    CFileHandle() = default;
    // CreateFileW's INVALID_HANDLE_VALUE holds nothing.
    explicit CFileHandle(HANDLE handle) : CUniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}

    bool IsValid() const { return get() != nullptr; }
    HANDLE Get() const { return get(); }

    // Closes now; false (with the system's error) when the close itself failed.
    bool Close() {
        const HANDLE handle = release();
        return handle == nullptr || ::CloseHandle(handle) != FALSE;
    }
};

} // namespace brindlex
