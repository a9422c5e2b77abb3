// Owns a file handle from CreateFileW and closes it once.
#pragma once

#include "win/framework/Win32.h"

#include <utility>

class CFileHandle {
public:
    CFileHandle() = default;
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle() { Close(); }
    CFileHandle(CFileHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE)) {}
    CFileHandle& operator=(CFileHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

    // Closes now; false (with the system's error) when the close itself failed.
    bool Close() {
        if (!IsValid()) {
            return true;
        }
        return CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE)) != FALSE;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
