#include "win/dialogs/CPastingDlg.h"

#include "win/framework/ResourceLoader.h"
#include "core/layout/Dpi.h"
#include "core/layout/EditorLayout.h"
#include "win/framework/CClipboardScope.h"
#include "win/framework/CGlobalLock.h"
#include "win/framework/CWinApp.h"
#include "win/framework/LayoutGeometry.h"
#include "win/framework/MessageParams.h"
#include "win/framework/WideString.h"
#include "core/library/CData.h"
#include "core/library/CPasteItem.h"
#include "res/resource.h"

#include <richedit.h>

#include <cstring>
#include <vector>

namespace brindlex {

namespace {

constexpr char16_t kNewItemName[] = u"New item";
constexpr char16_t kInsertCaption[] = u"Insert control key";
// Longer than any text a person keeps as a snippet; the rich edit's own limit (32767 characters)
// would cut a longer stored text short on the way in and so lose its end on Save.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;

} // namespace

CPastingDlg::CPastingDlg(CData& data, CPasteItem* pItem, ICommandHost& host)
    : CModelessDlg(IDD_PASTING, host, CommandKind::EditorClosed), m_data(data), m_pItem(pItem) {
    AddCommand(IDC_INSERT_TOKEN, BN_CLICKED, [this] { OnInsert(); });
    AddCommand(IDC_COPY_TEXT, BN_CLICKED, [this] { CopyToClipboard(); });
}

CPastingDlg::~CPastingDlg() {
    // The window and its controls go first, while the members they talk to still exist.
    ReleaseWindow();
}

std::unique_ptr<CPasteItem> CPastingDlg::TakeNewItem() {
    return std::move(m_pNewItem);
}

bool CPastingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndText.SubclassDlgItem(IDC_ITEM_TEXT, this);
    m_btnInsert.SubclassDlgItem(IDC_INSERT_TOKEN, this);

    m_wndText.EnableWindow(true);
    m_wndText.SendMessage(EM_EXLIMITTEXT, 0, kTextLimit);
    if (m_pItem != nullptr) {
        SetDlgItemText(IDC_ITEM_NAME, m_pItem->m_strName);
        m_wndText.SetWindowText(m_pItem->m_strText);
    } else {
        SetDlgItemText(IDC_ITEM_NAME, kNewItemName);
    }
    SetUpInsertButton();
    BuildTokenMenu();
    SendMessage(WM_SIZE, 0, 0);
    return true;
}

void CPastingDlg::LoadInsertIcon() {
    const int size = ScaleForDpi(kSmallIconSize, Dpi());
    m_btnInsert.AssignIcon(LoadIconResource(IDI_INSERT_TOKEN, size, size));
    m_btnInsert.SetDpi(Dpi());
}

void CPastingDlg::OnDpiChanged() {
    LoadInsertIcon();
}

void CPastingDlg::SetUpInsertButton() {
    LoadInsertIcon();
    m_btnInsert.UseHandCursor();
    m_btnInsert.SetWindowText(kInsertCaption);
    m_btnInsert.SetTipText(W(kInsertCaption));
    m_btnInsert.SetImageAlignment(ImageAlign::kRight);
    m_btnInsert.MakeTransparent();
}

void CPastingDlg::BuildTokenMenu() {
    m_menuTokens.reset(::CreatePopupMenu());
    if (!m_menuTokens) {
        return;
    }
    for (std::size_t i = 0; i < m_data.m_arrTokens.size(); ++i) {
        ::AppendMenuW(m_menuTokens.get(), MF_STRING, ID_TOKEN_FIRST + i, W(m_data.m_arrTokens[i]));
    }
}

LRESULT CPastingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        // Token commands come from the menu; the command then takes the normal way as well.
        OnTokenCommand(CommandId(wParam));
    }
    return CModelessDlg::WindowProc(message, wParam, lParam);
}

void CPastingDlg::LayoutControls() {
    for (const int id : {IDC_NAME_LABEL, IDC_ITEM_NAME, IDC_TEXT_LABEL, IDC_ITEM_TEXT}) {
        if (GetDlgItem(id) == nullptr) {
            return;
        }
    }
    const RECT rc = GetClientRect();
    PlaceControls(m_hWnd, EditorLayout(rc.right - rc.left, rc.bottom - rc.top, Dpi()));
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The menu drops down from the button's bottom-left corner.
void CPastingDlg::OnInsert() {
    if (!m_menuTokens) {
        return;
    }
    const RECT rc = m_btnInsert.GetWindowRect();
    ::TrackPopupMenu(m_menuTokens.get(), 0, rc.left, rc.bottom, 0, m_hWnd, nullptr);
}

void CPastingDlg::OnTokenCommand(UINT nCommand) {
    const int index = TokenIndexOfCommand(nCommand, m_data.m_arrTokens.size());
    if (index < 0 || !m_wndText.IsWindow()) {
        return;
    }
    // wParam TRUE: the insertion can be undone.
    m_wndText.SendMessage(EM_REPLACESEL, TRUE,
                          reinterpret_cast<LPARAM>(W(m_data.m_arrTokens[static_cast<std::size_t>(index)])));
    m_wndText.SetFocus();
}

std::u16string CPastingDlg::GetSelectedText() const {
    CHARRANGE range{};
    m_wndText.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax <= range.cpMin) {
        return {};
    }
    // Lines come out with CR LF, as the whole text does (WM_GETTEXT), whatever the control keeps.
    const std::size_t room = static_cast<std::size_t>(range.cpMax - range.cpMin) * 2 + 1;
    std::vector<wchar_t> buffer(room, L'\0');
    GETTEXTEX gt{};
    gt.cb = static_cast<DWORD>(room * sizeof(wchar_t));
    gt.flags = GT_SELECTION | GT_USECRLF;
    gt.codepage = 1200; // UTF-16
    const LRESULT length = m_wndText.SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt),
                                                 reinterpret_cast<LPARAM>(buffer.data()));
    return length > 0 ? U16(buffer.data(), static_cast<std::size_t>(length)) : std::u16string();
}

void CPastingDlg::CopyToClipboard() {
    std::u16string text = GetSelectedText();
    if (text.empty()) {
        text = m_wndText.GetWindowText();
    }
    const CClipboardScope clipboard(m_hWnd);
    if (!clipboard.IsOpen()) {
        return;
    }
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    CGlobalHandle hMem(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!hMem) {
        return;
    }
    {
        const CGlobalLock lock(hMem.get());
        if (!lock) {
            return;
        }
        std::memcpy(lock.get(), text.c_str(), bytes);
    }
    if (::SetClipboardData(CF_UNICODETEXT, hMem.get()) != nullptr) {
        hMem.release(); // the clipboard owns it now
    }
}

// True when something was stored.
bool CPastingDlg::WriteBack() {
    std::u16string name = GetDlgItemText(IDC_ITEM_NAME);
    std::u16string text = m_wndText.GetWindowText();
    if (m_pItem == nullptr) {
        m_pNewItem = std::make_unique<CPasteItem>(std::move(name), 0, std::move(text));
        return true;
    }
    // The main window closes the editor before its item is freed; should an item be gone all the
    // same, it is not written into.
    if (!m_data.m_library.Contains(m_pItem)) {
        return false;
    }
    m_data.m_library.UpdateItem(*m_pItem, std::move(name), std::move(text));
    return true;
}

// Cancel reports EditorClosed, and so does Save of an item of the library. The owner releases
// the editor while handling the report: nothing of it may be used afterwards.
void CPastingDlg::OnOK() {
    const bool bNew = m_pItem == nullptr;
    const bool bSaved = WriteBack();
    ReportToOwner(bNew && bSaved ? CommandKind::NewItemSaved : CommandKind::EditorClosed);
}

} // namespace brindlex
