// Owns an open registry key and closes it once.
#pragma once

#include "win/framework/Win32.h"

#include <utility>

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(CRegKey&& other) noexcept : m_hKey(std::exchange(other.m_hKey, nullptr)) {}
    CRegKey& operator=(CRegKey&& other) noexcept {
        if (this != &other) {
            Close();
            m_hKey = std::exchange(other.m_hKey, nullptr);
        }
        return *this;
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LSTATUS Open(HKEY parent, const wchar_t* subkey, REGSAM access) {
        Close();
        return RegOpenKeyExW(parent, subkey, 0, access, &m_hKey);
    }
    LSTATUS Create(HKEY parent, const wchar_t* subkey, REGSAM access) {
        Close();
        return RegCreateKeyExW(parent, subkey, 0, nullptr, 0, access, nullptr, &m_hKey, nullptr);
    }
    void Close() {
        if (m_hKey != nullptr) {
            RegCloseKey(std::exchange(m_hKey, nullptr));
        }
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};
