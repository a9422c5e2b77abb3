// A list box control (LB_ messages). Owner-drawn lists without LBS_HASSTRINGS keep one value
// per row and no text: AddItemData / InsertItemData store it.
#pragma once

#include "win/framework/CWnd.h"
#include "win/framework/MessageParams.h"

namespace brindlex {

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nIndex) const {
        return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nIndex)));
    }
    int GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) const {
        return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
    }
    int GetItemHeight(int nIndex) const {
        return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
    }
    // LB_ERR when the row does not exist.
    LRESULT GetItemData(int nIndex) const { return SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)); }
    int SetItemData(int nIndex, LPARAM data) const {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), data));
    }
    // False when the row does not exist.
    bool GetItemRect(int nIndex, RECT* pRect) const {
        return SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pRect)) !=
               LB_ERR;
    }
    // LB_ITEMFROMPOINT: the nearest row (-1 when there is none); bOutside tells whether the point lies
    // outside its rows.
    int ItemFromPoint(POINT pt, bool* pbOutside) const {
        const auto r = static_cast<WPARAM>(SendMessage(
            LB_ITEMFROMPOINT, 0, MakeLParam(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y))));
        if (pbOutside != nullptr) {
            *pbOutside = HighWord(r) != 0;
        }
        const unsigned nRow = LowWord(r);
        return nRow == 0xFFFF ? -1 : static_cast<int>(nRow);
    }
    int AddItemData(LPARAM data) const { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, data)); }
    // nIndex -1 appends.
    int InsertItemData(int nIndex, LPARAM data) const {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), data));
    }
    int DeleteString(int nIndex) const {
        return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex)));
    }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
};

} // namespace brindlex
