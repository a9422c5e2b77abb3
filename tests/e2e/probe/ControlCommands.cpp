// Reading controls of other processes: list boxes, list views, combo boxes, popup menus and
// message boxes.
#include "tests/e2e/probe/Commands.h"

#include <commctrl.h>

namespace probe {

std::string LbCountCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), LB_GETCOUNT, 0, 0));
}

std::string LbSelCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), LB_GETCURSEL, 0, 0));
}

std::string LbRectCmd(const Args& a) {
    HWND h = ParseHwnd(a[0]);
    RECT r{};
    if (Send(h, LB_GETITEMRECT, static_cast<WPARAM>(ParseNum(a[1])), reinterpret_cast<LPARAM>(&r)) ==
        LB_ERR) {
        Fail("no such row");
    }
    return RectScreen(h, r);
}

// lvtext HWND ROW COLUMN: a cell's text, read through a buffer in the list's own process.
std::string LvTextCmd(const Args& a) {
    HWND h = ParseHwnd(a[0]);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(h));
    if (!process) {
        Fail("cannot open the list's process");
    }
    constexpr int kChars = 512;
    auto* remote = static_cast<char*>(VirtualAllocEx(
        process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    LVITEMW lvi{};
    lvi.iSubItem = static_cast<int>(ParseNum(a[2]));
    lvi.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    lvi.cchTextMax = kChars;
    wchar_t text[kChars] = {};
    if (!remote || !WriteProcessMemory(process, remote, &lvi, sizeof lvi, nullptr)) {
        CloseHandle(process);
        Fail("cannot write into the list's process");
    }
    Send(h, LVM_GETITEMTEXTW, static_cast<WPARAM>(ParseNum(a[1])), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return OneLine(text);
}

std::string LvCountCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), LVM_GETITEMCOUNT, 0, 0));
}

std::string LvSelCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ComboCmd(const Args& a) {
    HWND h = ParseHwnd(a[0]);
    const LRESULT n = Send(h, CB_GETCOUNT, 0, 0);
    std::string out = Num(Send(h, CB_GETCURSEL, 0, 0));
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT len = Send(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> buffer(static_cast<std::size_t>(len > 0 ? len : 0) + 1);
        Send(h, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        const LRESULT data = Send(h, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        out += Format("\t0x%llx ", static_cast<unsigned long long>(data)) + OneLine(buffer.data());
    }
    return out;
}

namespace {

std::string MenuEntries(HWND popup) { // "ID CHECKED TEXT<TAB>..."
    HMENU menu = reinterpret_cast<HMENU>(Send(popup, MN_GETHMENU, 0, 0));
    std::string out;
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        out += Format("%s%u %d ", i ? "\t" : "", info.wID, (info.fState & MFS_CHECKED) ? 1 : 0);
        out += OneLine((info.fType & MFT_SEPARATOR) ? L"-" : text);
    }
    return out.empty() ? "-" : out;
}

} // namespace

std::string MenuCmd(const Args& a) {
    return WaitFor(a.timeoutMs, "no menu", [] {
        auto menus = FindTop(L"#32768", L"-", 0, true);
        return menus.empty() ? std::string() : MenuEntries(menus.front());
    });
}

namespace {

// Message boxes: a #32770 with a static text (id 0xFFFF) and without the group list.
std::vector<HWND> MessageBoxes() {
    std::vector<HWND> out;
    for (HWND h : FindTop(L"#32770", L"-", 0, true)) {
        if (GetDlgItem(h, 0xFFFF) != nullptr && GetDlgItem(h, 1008) == nullptr) {
            out.push_back(h);
        }
    }
    return out;
}

} // namespace

std::string MsgBoxCmd(const Args& a) {
    return WaitFor(a.timeoutMs, "no message box", [] {
        auto boxes = MessageBoxes();
        if (boxes.empty()) {
            return std::string();
        }
        return Hwnd(boxes.front()) + "\t" + OneLine(TitleOf(boxes.front())) + "\t" +
               OneLine(TextOf(GetDlgItem(boxes.front(), 0xFFFF)));
    });
}

std::string NoMsgBoxCmd(const Args&) {
    if (!MessageBoxes().empty()) {
        Fail("a message box is showing");
    }
    return "none";
}

std::string AnswerCmd(const Args& a) {
    auto boxes = MessageBoxes();
    if (boxes.empty()) {
        Fail("no message box");
    }
    PostClick(boxes.front(), static_cast<int>(ParseNum(a[0])));
    return "ok";
}

} // namespace probe
