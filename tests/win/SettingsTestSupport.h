// Shared by the Win32 tests of the library's files: a fresh folder per test (removed with its
// contents afterwards), the settings folder and the auto-start key pointed at that test's own,
// and small file helpers.
#pragma once

#include "win/framework/MessageBox.h"
#include "win/framework/Win32.h"
#include "win/framework/WideString.h"
#include "win/library/AppDataFolder.h"
#include "win/library/AutoStart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brindlex {

namespace store_test {

using Bytes = std::vector<std::uint8_t>;

inline bool Exists(const std::u16string& path) {
    return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
}

inline void RemoveTree(const std::u16string& path) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(W(path + u"\\*"), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::u16string name = U16(fd.cFileName);
            if (name == u"." || name == u"..") {
                continue;
            }
            const std::u16string child = path + u"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(W(child), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(W(child));
            }
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(W(path));
}

// Names in a folder, sorted.
inline std::vector<std::u16string> List(const std::u16string& folder) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(W(folder + u"\\*"), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::u16string name = U16(fd.cFileName);
            if (name != u"." && name != u"..") {
                names.push_back(name);
            }
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The file's bytes, or nothing when it cannot be opened (a save may be replacing it just then).
inline std::optional<Bytes> TryReadBytes(const std::u16string& path) {
    HANDLE h = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    Bytes out;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) {
        out.insert(out.end(), buf, buf + n);
    }
    CloseHandle(h);
    return out;
}

inline Bytes ReadBytes(const std::u16string& path) {
    std::optional<Bytes> bytes = TryReadBytes(path);
    if (!bytes) {
        ADD_FAILURE() << "cannot open " << testing::PrintToString(WStr(path)) << " error " << GetLastError();
        return {};
    }
    return std::move(*bytes);
}

inline void WriteBytes(const std::u16string& path, const Bytes& bytes) {
    HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr));
    CloseHandle(h);
}

// The file as UTF-16 text (a leading byte-order mark dropped).
inline std::u16string ReadUtf16(const std::u16string& path) {
    const Bytes b = ReadBytes(path);
    std::u16string s;
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        s.push_back(static_cast<char16_t>(b[i] | (b[i + 1] << 8)));
    }
    if (!s.empty() && s[0] == 0xFEFF) {
        s.erase(0, 1);
    }
    return s;
}

inline std::u16string UniqueName() {
    static int counter = 0;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::u16string name = u"brx-";
    if (info != nullptr) {
        for (const char* p = info->name(); *p != 0; ++p) {
            name.push_back(static_cast<char16_t>(*p == '/' ? '_' : *p));
        }
    }
    for (const auto number : {static_cast<unsigned long long>(GetCurrentProcessId()), GetTickCount64(),
                              static_cast<unsigned long long>(++counter)}) {
        name.push_back(u'-');
        name.append(U16(std::to_wstring(number)));
    }
    return name;
}

// A new, empty folder in the temporary folder for one test.
class CTestFolder {
public:
    explicit CTestFolder(const std::u16string& leaf = u"") {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        std::u16string base = U16(temp);
        if (!base.empty() && base.back() == u'\\') {
            base.pop_back();
        }
        m_root = base + u"\\" + UniqueName();
        EXPECT_TRUE(CreateDirectoryW(W(m_root), nullptr)) << GetLastError();
        m_path = m_root;
        if (!leaf.empty()) {
            m_path += u"\\" + leaf;
            EXPECT_TRUE(CreateDirectoryW(W(m_path), nullptr)) << GetLastError();
        }
    }
    ~CTestFolder() { RemoveTree(m_root); }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    const std::u16string& Path() const { return m_path; }
    std::u16string File(const std::u16string& name) const { return m_path + u"\\" + name; }

private:
    std::u16string m_root;
    std::u16string m_path;
};

// The settings folder and the auto-start key of one test: its own application-data folder and
// a Run key of its own under both roots, all removed afterwards.
class CIsolatedSettings {
public:
    CIsolatedSettings()
        : m_key(u"Software\\BrindlexTests\\" + UniqueName() + u"\\Run"), m_appDataOverride(m_appData.Path()),
          m_keyOverride(m_key) {}
    ~CIsolatedSettings() {
        const std::u16string parent = m_key.substr(0, m_key.rfind(u'\\'));
        RegDeleteTreeW(HKEY_CURRENT_USER, W(parent));
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, W(parent));
    }
    CIsolatedSettings(const CIsolatedSettings&) = delete;
    CIsolatedSettings& operator=(const CIsolatedSettings&) = delete;

    const std::u16string& AppData() const { return m_appData.Path(); }
    std::u16string Folder() const { return m_appData.Path() + u"\\Brindlex"; }
    const std::u16string& RunKey() const { return m_key; }

private:
    CTestFolder m_appData;
    std::u16string m_key;
    CAppDataBaseOverride m_appDataOverride;
    CAutoStartKeyOverride m_keyOverride;
};

struct ShownMessage {
    std::u16string text;
    std::u16string caption;
    UINT type;
};

// Records every message box instead of showing it, answering OK (or what `answer` says).
class CMessageRecorder {
public:
    CMessageRecorder()
        : m_scope([this](HWND, const std::u16string& text, const std::u16string& caption, UINT type) {
              messages.push_back({text, caption, type});
              return answer ? answer(messages.back()) : IDOK;
          }) {}
    std::vector<ShownMessage> messages;
    std::function<int(const ShownMessage&)> answer;

private:
    CMessageBoxHookScope m_scope;
};

// A registry value under HKCU or HKLM as a string; "<none>" when it does not exist.
inline std::u16string RegString(HKEY root, const std::u16string& key, const std::u16string& name,
                                DWORD* type = nullptr, DWORD* size = nullptr) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(root, W(key), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) {
        return u"<none>";
    }
    wchar_t buf[2048] = {};
    DWORD bytes = sizeof buf - sizeof(wchar_t);
    DWORD t = 0;
    const LSTATUS s = RegQueryValueExW(h, W(name), nullptr, &t, reinterpret_cast<BYTE*>(buf), &bytes);
    RegCloseKey(h);
    if (s != ERROR_SUCCESS) {
        return u"<none>";
    }
    if (type != nullptr) {
        *type = t;
    }
    if (size != nullptr) {
        *size = bytes;
    }
    return U16(buf);
}

inline void SetRegString(HKEY root, const std::u16string& key, const std::u16string& name,
                         const std::u16string& value) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, W(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(h, W(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * 2));
    RegCloseKey(h);
}

inline std::u16string ModuleFileName() {
    wchar_t buf[4096];
    const DWORD n = GetModuleFileNameW(nullptr, buf, 4096);
    return U16(buf, n);
}

// The path in quotes, as the Run value holds it. (Built by appending: GCC 12 warns falsely
// about "literal" + string here.)
inline std::u16string QuotedModuleFileName() {
    std::u16string quoted(1, u'"');
    quoted.append(ModuleFileName()).append(1, u'"');
    return quoted;
}

} // namespace store_test

} // namespace brindlex
