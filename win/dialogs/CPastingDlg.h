// The item editor: a modeless, resizable window that edits the name and the text of one stored
// item, or makes a new one. The "Insert" button drops down a menu of the control-key tokens,
// which go in at the caret (undoably); "Copy" puts the selection, or the whole text, on the
// clipboard.
//
// The editor never ends itself: Save and Cancel (Esc, the close box) report to its host, the
// main window (NewItemSaved for Save of a new item, else EditorClosed), which takes a new item
// with TakeNewItem and then releases the editor, possibly while the editor's handler is still
// on the stack: nothing of the object is touched after the report.
#pragma once

#include "win/controls/CImageButton.h"
#include "win/dialogs/CModelessDlg.h"
#include "win/framework/UniqueHandle.h"

#include <memory>
#include <string>

namespace brindlex {

class CData;
class CPasteItem;

class CPastingDlg : public CModelessDlg {
public:
    // pItem: the stored item to edit, not owned; nullptr makes a new item on Save.
    CPastingDlg(CData& data, CPasteItem* pItem, ICommandHost& host);
    ~CPastingDlg() override;

    // The item made by Save of a new item (nullptr before that, or once taken).
    std::unique_ptr<CPasteItem> TakeNewItem();
    // The stored item being edited; nullptr for a new item.
    CPasteItem* GetItem() const { return m_pItem; }
    HMENU GetTokenMenu() const { return m_menuTokens.get(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutControls() override;
    void OnDpiChanged() override;

private:
    void LoadInsertIcon();
    void SetUpInsertButton();
    void BuildTokenMenu();
    void OnInsert();
    void OnTokenCommand(UINT nCommand);
    void CopyToClipboard();
    std::u16string GetSelectedText() const;
    bool WriteBack();

    CData& m_data;
    CPasteItem* m_pItem; // not owned: it belongs to its group
    std::unique_ptr<CPasteItem> m_pNewItem;
    CMenuHandle m_menuTokens;
    CImageButton m_btnInsert;
    CWnd m_wndText; // the rich edit control
};

} // namespace brindlex
