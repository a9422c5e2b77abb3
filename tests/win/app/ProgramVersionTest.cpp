// The version resource of the built Brindlex.exe, read as Explorer reads it: the fixed numbers,
// the language and the strings, with one version throughout, the same as the about box's
// string 102.
#include "win/framework/Win32.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The build passes the program's path and the project's version. Under Wine a Linux path is reached through
// drive Z:.
std::wstring ProgramPath() {
    std::string path = BRINDLEX_EXE_PATH;
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    return std::wstring(path.begin(), path.end());
}

class ProgramVersion : public ::testing::Test {
protected:
    void SetUp() override {
        const DWORD size = GetFileVersionInfoSizeW(ProgramPath().c_str(), nullptr);
        ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(ProgramPath().c_str(), 0, size, block.data()));
    }
    std::wstring String(const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0) {
            return L"(missing)";
        }
        return std::wstring(static_cast<const wchar_t*>(value)); // length counts the terminator
    }
    std::vector<unsigned char> block;
};

std::wstring ProgramString(UINT id) {
    HMODULE module = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return L"(not loaded)";
    }
    const wchar_t* text = nullptr;
    const int n = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    std::wstring result = n > 0 ? std::wstring(text, static_cast<std::size_t>(n)) : L"(missing)";
    FreeLibrary(module);
    return result;
}

} // namespace

TEST_F(ProgramVersion, FixedNumbersLanguageAndStringsTellOneVersion) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);

    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0409); // US English
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 1200);   // Unicode

    // "1.1" is major.minor; a third number is written only when it is not 0.
    const std::wstring shown = ProgramString(IDS_VERSION);
    std::wstring fromNumbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS));
    if (HIWORD(fixed->dwFileVersionLS) != 0) {
        fromNumbers += L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS));
    }
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 0);
    const std::string project = BRINDLEX_PROJECT_VERSION;
    EXPECT_EQ(shown, std::wstring(project.begin(), project.end()));
    EXPECT_EQ(fromNumbers, shown);
    EXPECT_EQ(String(L"FileVersion"), shown);
    EXPECT_EQ(String(L"ProductVersion"), shown);
}

TEST_F(ProgramVersion, NamesTheProductItsFileAndItsLicence) {
    EXPECT_EQ(String(L"ProductName"), L"Brindlex");
    EXPECT_EQ(String(L"InternalName"), L"Brindlex");
    EXPECT_EQ(String(L"OriginalFilename"), L"Brindlex.exe");
    EXPECT_EQ(String(L"CompanyName"), L"The Brindlex developers");
    EXPECT_NE(String(L"FileDescription").find(L"Brindlex"), std::wstring::npos);
    // The copyright line of LICENSE, and the licence's name.
    const std::wstring copyright = String(L"LegalCopyright");
    EXPECT_EQ(copyright.rfind(L"Copyright (c) ", 0), 0u) << copyright;
    const std::wstring tail = L" The Brindlex developers. MIT License.";
    EXPECT_TRUE(copyright.size() > tail.size() &&
                copyright.compare(copyright.size() - tail.size(), tail.size(), tail) == 0)
        << copyright;
}
