// A window object: one HWND bound to one C++ object, with a virtual window procedure.
//
// How a window gets its object:
//  - windows of our own class (CreateEx with no class name) are bound at WM_NCCREATE;
//  - dialogs (CDialog) are bound at WM_INITDIALOG;
//  - existing windows, e.g. the controls a dialog template created, are taken over with
//    SubclassDlgItem / SubclassWindow (SetWindowSubclass); PreSubclassWindow runs right after.
// The binding ends at WM_NCDESTROY (or the object's destructor).
//
// A derived class overrides WindowProc with a switch over the messages it handles, calls small
// On... handlers and ends with `return Default();` (or CWnd::WindowProc) for everything else.
//
// Message reflection: when a window with an object receives WM_DRAWITEM, WM_MEASUREITEM,
// WM_DELETEITEM, WM_COMMAND from a control, WM_NOTIFY, WM_VKEYTOITEM, WM_CHARTOITEM or
// WM_CTLCOLOR{BTN,EDIT,LISTBOX,SCROLLBAR,STATIC}, the framework first offers it to the object of
// the control it concerns (OnChildNotify). If the child handles it (returns true), the parent's
// WindowProc does not see it and the child's result is returned; otherwise the parent gets it.
//
// An object may be destroyed while one of its own handlers runs (a modeless dialog asks its
// owner to release it): the framework touches nothing of the object after that, and neither
// must the handler.
#pragma once

#include "win/framework/CDispatchFrame.h"
#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

class CWnd {
public:
    CWnd() = default;
    // Releases the window: takes a subclassed control back (the control lives on) and destroys a
    // window this object created. Handlers of a derived class do not run any more at that point:
    // destroy such a window with DestroyWindow() first when its WM_DESTROY handling matters.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a window, or nullptr.
    static CWnd* FromHandle(HWND hWnd);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creates a window. className nullptr means the framework's own window class (bound from
    // WM_NCCREATE on, double clicks on, button-face background); any other class (e.g. L"EDIT")
    // is created and then subclassed. For a child window, nID is its control id.
    bool CreateEx(DWORD dwExStyle, const wchar_t* className, const wchar_t* windowName, DWORD dwStyle,
                  const RECT& rect, HWND hWndParent, UINT nID);
    // Takes over an existing window; false if it is no window, already has an object or this
    // object already has a window.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(UINT nID, HWND hWndParent);
    bool SubclassDlgItem(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent->GetSafeHwnd()); }
    bool DestroyWindow();

    // The window procedure of this class of window.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called by the message loop for every queued message aimed at this window or one of its
    // children, from the target up through its parents, before dispatch. True = consumed.
    // The message may be changed in place.
    virtual bool PreTranslateMessage(MSG* pMsg);
    // A reflected notification (see above) that the parent received about this control.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Helpers over the bound window.
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd) != FALSE; }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
    }
    // Without a window nothing is invalidated (InvalidateRect(nullptr) would repaint every window).
    void Invalidate(bool bErase = true) const { InvalidateRect(nullptr, bErase); }
    void InvalidateRect(const RECT* pRect, bool bErase = true) const {
        if (m_hWnd != nullptr) {
            ::InvalidateRect(m_hWnd, pRect, bErase ? TRUE : FALSE);
        }
    }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void SetRedraw(bool bRedraw) const { ::SendMessageW(m_hWnd, WM_SETREDRAW, bRedraw ? TRUE : FALSE, 0); }
    bool MoveWindow(int x, int y, int nWidth, int nHeight, bool bRepaint = true) const {
        return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint ? TRUE : FALSE) != FALSE;
    }
    bool SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) const {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags) != FALSE;
    }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // The window rectangle in the client coordinates of the parent.
    RECT GetRectInParent() const;
    void ClientToScreen(POINT* pPoint) const { ::ClientToScreen(m_hWnd, pPoint); }
    void ScreenToClient(POINT* pPoint) const { ::ScreenToClient(m_hWnd, pPoint); }
    bool ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    bool EnableWindow(bool bEnable = true) const {
        return ::EnableWindow(m_hWnd, bEnable ? TRUE : FALSE) != FALSE;
    }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    HWND SetActiveWindow() const { return ::SetActiveWindow(m_hWnd); }
    HWND SetCapture() const { return ::SetCapture(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) const {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
    }
    bool KillTimer(UINT_PTR nIDEvent) const { return ::KillTimer(m_hWnd, nIDEvent) != FALSE; }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // Removes and adds style bits; with nFlags, SetWindowPos(nFlags | SWP_NOSIZE | SWP_NOMOVE |
    // SWP_NOZORDER | SWP_NOACTIVATE) follows (e.g. SWP_FRAMECHANGED). False if nothing changed.
    bool ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) const;
    bool ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) const;
    void SetWindowText(const std::u16string& text) const;
    std::u16string GetWindowText() const;
    void SetDlgItemText(int nID, const std::u16string& text) const;
    std::u16string GetDlgItemText(int nID) const;
    void SetIcon(HICON hIcon, bool bBigIcon) const {
        ::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
    // Centres the window on hWndCenter; with nullptr on its owner when that is visible and not
    // minimised, else on the work area; GetDesktopWindow() centres on the work area. The result
    // is kept inside the work area of the monitor it lands on.
    void CenterWindow(HWND hWndCenter = nullptr) const;

protected:
    // Runs once the object has taken over an existing window (and for dialogs once bound).
    virtual void PreSubclassWindow();
    // What the destructor does, early: gives a subclassed window back, destroys an own one.
    // Call it first in the destructor of a class whose members' destruction could still send the
    // window messages (the handlers would see half-destroyed members).
    void ReleaseWindow() noexcept;
    // Default processing of the message being handled: the window's previous procedure for a
    // subclassed window, DefWindowProc for our own class, the dialog manager for a dialog.
    LRESULT Default();
    // Default processing of another (or changed) message.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    friend class CDialog;
    enum class Attach { None, OwnClass, Subclassed };

    void Bind(HWND hWnd, Attach attach);
    void Unbind();
    bool InstallSubclass(HWND hWnd);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Both window procedures of ours: how a window is bound and what a window without an object
    // gets are the attachment's.
    static LRESULT Route(Attach attach, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OwnClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR uIdSubclass, DWORD_PTR dwRefData);

    Attach m_attach = Attach::None;
    bool m_bOwnsWindow = false;
    WindowMessage m_current;
    CDispatchFrame* m_pFrame = nullptr;
};

} // namespace brindlex
