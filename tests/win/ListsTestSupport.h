// A real dialog, made from a template in memory, holding the two library lists as the main
// window does (same control ids and list styles) and a button to take the focus; the lists are
// attached to a library of groups and items. Tests drive the lists with window messages and
// read the model, the list boxes and the pixels back.
#pragma once

#include "DialogTemplateBuilder.h"
#include "RecordingCommandHost.h"

#include "win/framework/CDialog.h"
#include "win/framework/CMessageLoop.h"
#include "win/framework/MessageBox.h"
#include "win/framework/MessageParams.h"
#include "win/framework/UniqueHandle.h"
#include "win/framework/WideString.h"
#include "core/library/CLibrary.h"
#include "win/lists/CGroupList.h"
#include "win/lists/CPasteList.h"
#include "core/lists/ListRules.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace brindlex {

namespace liststest {

// The list style of the main window's template: fixed-height rows without per-row data.
inline constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                    LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT |
                                    LBS_WANTKEYBOARDINPUT;
static_assert(kListStyle == 0x50A12511);
inline constexpr int kButtonId = 1002;
inline constexpr int kListWidth = 200;
inline constexpr int kVisibleRows = 6;

// The owner of the lists: records what the lists tell it and what the dialog manager does (the
// item list's requests to edit go to the fixture's host).
class CListOwnerDialog : public CDialog {
public:
    explicit CListOwnerDialog(const DLGTEMPLATE* t) : CDialog(t) {}

    struct NameChange {
        WPARAM index;
        std::u16string previous;
    };
    std::vector<NameChange> m_nameChanges;
    int m_nOk = 0;
    int m_nCancel = 0;
    int m_nGroupSelChanges = 0; // LBN_SELCHANGE notifications that reached the owner itself

protected:
    void OnOK() override { ++m_nOk; }
    void OnCancel() override { ++m_nCancel; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_LIST_NAME_CHANGED:
            m_nameChanges.push_back({wParam, U16(reinterpret_cast<const wchar_t*>(lParam))});
            return 0;
        case WM_COMMAND:
            if (CommandId(wParam) == IDC_GROUP_LIST && CommandCode(wParam) == LBN_SELCHANGE) {
                ++m_nGroupSelChanges;
            }
            break;
        default:
            break;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// Runs the program's message loop until `done` holds, for `ms` milliseconds at most; false when it
// did not (a test that checks that something does not happen expects false).
template <typename F> bool PumpUntil(F done, DWORD ms) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            CMessageLoop::Process(msg);
        }
        if (done()) {
            return true;
        }
        if (::GetTickCount() - start >= ms) {
            return false;
        }
        ::Sleep(5);
    }
}
// A condition: nothing waits in this thread's queue, so that everything posted, sent, typed or
// clicked to its windows, a timer that is due and what they have to paint are all handled.
inline bool QueueEmpty() {
    return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0;
}

// The list's client area painted into a bitmap that was first filled with `ground`.
class CListPicture {
public:
    CListPicture(HWND hWnd, COLORREF ground) {
        RECT rc{};
        ::GetClientRect(hWnd, &rc);
        m_width = rc.right;
        m_height = rc.bottom;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = m_width;
        bi.bmiHeader.biHeight = -m_height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_dc.reset(::CreateCompatibleDC(nullptr));
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
        CBrushHandle brush(::CreateSolidBrush(ground));
        ::FillRect(m_dc.get(), &rc, brush.get());
        ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc.get()), PRF_CLIENT);
    }
    ~CListPicture() { ::SelectObject(m_dc.get(), m_old); }
    CListPicture(const CListPicture&) = delete;
    CListPicture& operator=(const CListPicture&) = delete;

    COLORREF At(int x, int y) const { return ::GetPixel(m_dc.get(), x, y); }
    HDC Dc() const { return m_dc.get(); }
    // Whether `colour` appears anywhere in the rectangle.
    bool Shows(const RECT& r, COLORREF colour) const {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (At(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    int m_width = 0;
    int m_height = 0;
    CMemoryDC m_dc;
    CBitmapHandle m_bitmap;
    HGDIOBJ m_old = nullptr;
};

// The dialog with both lists on a library; groups are made by the tests.
class ListsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        CDialogTemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 300, 200, L"");
        t.Control(0x0083, L"", IDC_GROUP_LIST, kListStyle, 4, 4, 100, 100);
        t.Control(0x0083, L"", IDC_ITEM_LIST, kListStyle, 110, 4, 100, 100);
        t.Control(0x0080, L"", kButtonId, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 150, 40, 14);
        m_dlg = std::make_unique<CListOwnerDialog>(t.Get());
        ASSERT_TRUE(m_dlg->Create(nullptr));
        ::SetWindowPos(m_dlg->GetSafeHwnd(), HWND_TOP, 40, 40, 520, 400, SWP_SHOWWINDOW);
        // Client heights of exactly six rows (the border takes a pixel on each side).
        const int height = kVisibleRows * 30 + 2;
        ::MoveWindow(m_dlg->GetDlgItem(IDC_GROUP_LIST), 10, 10, kListWidth, height, TRUE);
        ::MoveWindow(m_dlg->GetDlgItem(IDC_ITEM_LIST), 230, 10, kListWidth, height, TRUE);
        ::MoveWindow(m_dlg->GetDlgItem(kButtonId), 10, 250, 80, 25, TRUE);
        ASSERT_TRUE(m_groups.SubclassDlgItem(IDC_GROUP_LIST, m_dlg.get()));
        ASSERT_TRUE(m_items.SubclassDlgItem(IDC_ITEM_LIST, m_dlg.get()));
        ::SetForegroundWindow(m_dlg->GetSafeHwnd());
        ::SetActiveWindow(m_dlg->GetSafeHwnd());
    }
    void TearDown() override {
        if (m_dlg) {
            m_dlg->DestroyWindow();
        }
    }

    // Groups named G0, G1, ... with the given numbers of items named I<group>.<item>.
    void MakeGroups(const std::vector<int>& itemCounts) {
        for (std::size_t g = 0; g < itemCounts.size(); ++g) {
            CPasteGroup& group = m_library.AddGroup(Name(u"G", g));
            for (int i = 0; i < itemCounts[g]; ++i) {
                std::u16string name = Name(u"I", g);
                name += u'.';
                name += Number(static_cast<std::size_t>(i));
                m_library.AddItem(group, name, 0, u"text");
            }
        }
    }
    void Attach() {
        m_groupList.SetLibrary(&m_library);
        m_itemList.SetLibrary(&m_library);
        m_library.SelectGroup(0);
    }
    static std::u16string Number(std::size_t n) { return U16(std::to_wstring(n)); }
    static std::u16string Name(const char16_t* prefix, std::size_t n) {
        std::u16string name(prefix);
        name += Number(n);
        return name;
    }

    std::vector<std::u16string> GroupNames() const {
        std::vector<std::u16string> names;
        for (int i = 0; i < m_library.GroupCount(); ++i) {
            names.push_back(m_library.Group(i).m_strName);
        }
        return names;
    }
    std::vector<std::u16string> RowNames(const CDragListBox& list) const {
        std::vector<std::u16string> names;
        for (int i = 0; i < list.GetCount(); ++i) {
            const RowId row = list.RowAt(i);
            if (&list == &m_items) {
                names.push_back(row.As<CPasteItem>()->m_strName);
            } else {
                names.push_back(row.As<CPasteGroup>()->m_strName);
            }
        }
        return names;
    }
    // The item list shows exactly the current group's stored items, in order.
    void ExpectItemRowsMirrorCurrentGroup() const {
        const CPasteGroup* group = m_library.CurrentGroup();
        const int count = group != nullptr ? static_cast<int>(group->ItemCount()) : 0;
        ASSERT_EQ(m_items.GetCount(), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(m_itemList.GetItem(i), &group->Item(static_cast<std::size_t>(i))) << "row " << i;
        }
    }
    // Both lists' current rows equal their selected rows and the model's current group and item.
    void ExpectCurrentRowsInStep() const {
        EXPECT_EQ(m_groups.GetCurrent(), m_groups.GetCurSel());
        EXPECT_EQ(m_items.GetCurrent(), m_items.GetCurSel());
        EXPECT_EQ(m_groups.GetCurrent(), m_library.CurrentGroupIndex());
        EXPECT_EQ(m_items.GetCurrent(), m_library.CurrentItemIndex());
    }

    // Both of the above.
    void ExpectRowsShowTheModel() const {
        ExpectItemRowsMirrorCurrentGroup();
        ExpectCurrentRowsInStep();
    }

    static POINT RowPoint(const CDragListBox& list, int row, int dy = 15) {
        RECT r{};
        EXPECT_TRUE(list.GetItemRect(row, &r));
        return POINT{60, r.top + dy};
    }
    static LPARAM At(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }
    static void Press(CDragListBox& list, POINT p) { list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(p)); }
    static void Move(CDragListBox& list, POINT p) { list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(p)); }
    static void Release(CDragListBox& list, POINT p) { list.SendMessage(WM_LBUTTONUP, 0, At(p)); }
    static void Click(CDragListBox& list, POINT p) {
        Press(list, p);
        Release(list, p);
    }
    static void Drag(CDragListBox& list, POINT from, POINT to) {
        Press(list, from);
        Move(list, POINT{from.x, from.y + 3});
        Move(list, to);
        Release(list, to);
    }
    static void KeyUp(HWND hWnd, WPARAM vk) { ::SendMessageW(hWnd, WM_KEYUP, vk, 0xC0000001); }
    static void KeyDown(HWND hWnd, WPARAM vk) { ::SendMessageW(hWnd, WM_KEYDOWN, vk, 1); }
    HWND Editor(const CDragListBox& list) const {
        return ::FindWindowExW(list.GetSafeHwnd(), nullptr, L"Edit", nullptr);
    }

    // The items the item list asked the host to edit, in order.
    std::vector<CPasteItem*> EditRequests() const {
        std::vector<CPasteItem*> items;
        for (const AppCommand& c : m_host.commands) {
            if (c.kind == CommandKind::EditItem) {
                items.push_back(c.pItem);
            }
        }
        return items;
    }

    CLibrary m_library;
    CRecordingCommandHost m_host;
    CGroupList m_groupList;
    CPasteList m_itemList{m_host};
    // The two list controls.
    CDragListBox& m_groups = m_groupList.List();
    CDragListBox& m_items = m_itemList.List();
    std::unique_ptr<CListOwnerDialog> m_dlg;
};

// Answers every message box with `answer` and keeps what was asked.
struct AskedBox {
    std::u16string text;
    std::u16string caption;
    UINT type;
};
inline void ExpectAsked(const AskedBox& box, const std::u16string& text, const std::u16string& caption,
                        UINT type) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.type, type);
}
class CBoxRecorder {
public:
    explicit CBoxRecorder(int answer)
        : m_scope([this, answer](HWND, const std::u16string& text, const std::u16string& caption, UINT type) {
              m_asked.push_back({text, caption, type});
              return answer;
          }) {}
    const std::vector<AskedBox>& Asked() const { return m_asked; }

private:
    std::vector<AskedBox> m_asked;
    CMessageBoxHookScope m_scope;
};

} // namespace liststest

} // namespace brindlex
