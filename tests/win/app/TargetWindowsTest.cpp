#include "win/app/TargetWindows.h"
#include "win/framework/WideString.h"

#include <gtest/gtest.h>

#include <vector>

using namespace brindlex;

namespace {

// Top-level test windows of a plain class, destroyed with the fixture.
class TargetWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrindlexTargetTest";
        RegisterClassW(&wc);
    }
    void TearDown() override {
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
            DestroyWindow(*it);
        }
    }
    HWND Make(const wchar_t* title, DWORD exStyle = 0, HWND owner = nullptr, bool visible = true) {
        HWND h = CreateWindowExW(exStyle, L"BrindlexTargetTest", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                 owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (visible) {
            ShowWindow(h, SW_SHOWNOACTIVATE);
        }
        m_windows.push_back(h);
        return h;
    }
    static int CountFor(const brindlex::CTargetListModel& model, HWND h) {
        int n = 0;
        for (int i = 0; i < model.Count(); ++i) {
            n += model.Entry(i).window == reinterpret_cast<std::uintptr_t>(h) ? 1 : 0;
        }
        return n;
    }
    std::vector<HWND> m_windows;
};

TEST_F(TargetWindowsTest, OwnedAndToolWindowsAreLeftOutTheirOwnerIsListed) {
    HWND owner = Make(L"Owner window");
    HWND owned = Make(L"Owned dialog", 0, owner);
    HWND tool = Make(L"Tool palette", WS_EX_TOOLWINDOW);
    HWND hidden = Make(L"Hidden one", 0, nullptr, false);
    HWND self = Make(L"Our own main window");

    brindlex::CTargetListModel model(CompareTargetTitles);
    CollectTargetWindows(model, self);
    EXPECT_EQ(CountFor(model, owner), 1);
    EXPECT_EQ(CountFor(model, owned), 0);
    EXPECT_EQ(CountFor(model, tool), 0);
    EXPECT_EQ(CountFor(model, hidden), 0);
    EXPECT_EQ(CountFor(model, self), 0);
    if (HWND progman = FindWindowW(L"Progman", nullptr)) {
        EXPECT_EQ(CountFor(model, progman), 0);
    }
}

TEST_F(TargetWindowsTest, TwoWindowsWithOneTitleAreBothListedSortedWithoutCase) {
    HWND a = Make(L"Same title");
    HWND b = Make(L"Same title");
    HWND c = Make(L"another window");
    brindlex::CTargetListModel model(CompareTargetTitles);
    CollectTargetWindows(model, nullptr);
    EXPECT_EQ(CountFor(model, a), 1);
    EXPECT_EQ(CountFor(model, b), 1);
    int indexC = -1, indexA = -1;
    for (int i = 0; i < model.Count(); ++i) {
        if (model.Entry(i).window == reinterpret_cast<std::uintptr_t>(c))
            indexC = i;
        if (model.Entry(i).window == reinterpret_cast<std::uintptr_t>(a))
            indexA = i;
    }
    EXPECT_LT(indexC, indexA); // "another" sorts before "Same" without regard to case
    EXPECT_GE(model.Selected(), 0);
}

TEST_F(TargetWindowsTest, TitlesAreCutAt255Units) {
    std::wstring longTitle(400, L'x');
    HWND h = Make(longTitle.c_str());
    brindlex::CTargetListModel model(CompareTargetTitles);
    CollectTargetWindows(model, nullptr);
    for (int i = 0; i < model.Count(); ++i) {
        if (model.Entry(i).window == reinterpret_cast<std::uintptr_t>(h)) {
            EXPECT_EQ(model.Entry(i).title.size(), 255u);
            return;
        }
    }
    FAIL() << "window not listed";
}

TEST_F(TargetWindowsTest, BringToFrontRestoresAMinimisedWindowOnlyWhenAsked) {
    HWND h = Make(L"Minimised target");
    ShowWindow(h, SW_MINIMIZE);
    BringWindowToFront(h, false);
    EXPECT_TRUE(IsIconic(h));
    BringWindowToFront(h, true);
    EXPECT_FALSE(IsIconic(h));
}

} // namespace
