// The core as the program uses it: cross-built and run under Wine.
#include "win/framework/Win32.h"
#include "core/library/CData.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(CoreUnderWine, TokenTableAndWideStringsMatchWchar) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 strings are handed to Win32 as wchar_t");
    CData data;
    const auto& tab = data.m_arrTokens[0];
    EXPECT_EQ(lstrlenW(reinterpret_cast<const wchar_t*>(tab.c_str())), 5);
    EXPECT_EQ(lstrcmpW(reinterpret_cast<const wchar_t*>(data.m_arrTokens[18].c_str()), L"[DEL]"), 0);
}
