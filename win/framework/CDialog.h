// A dialog from a template, run modally (DoModal: our own loop, the program's only one) or
// modeless (Create). Writing one:
//
//   class CAboutDlg : public CDialog {
//   public:
//       CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
//   protected:
//       bool OnInitDialog() override;          // bind controls: m_label.SubclassDlgItem(1012, this)
//       void OnCancel() override;              // Esc, close box
//       LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
//   };
//   LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
//       switch (message) {
//       case WM_ERASEBKGND: return TRUE;
//       case WM_PAINT: OnPaint(); return 0;
//       }
//       return CDialog::WindowProc(message, wParam, lParam);   // routes IDOK/IDCANCEL, defaults
//   }
//
// Every dialog window registers itself with CMessageLoop while it exists, so Tab, Enter and Esc
// work in modal and modeless dialogs alike.
#pragma once

#include "win/framework/CWnd.h"
#include "win/framework/UniqueHandle.h"

namespace brindlex {

class CDialog : public CWnd {
public:
    // A dialog from the template resource nIDTemplate of the program's module.
    explicit CDialog(UINT nIDTemplate);
    // A dialog from a template in memory (DLGTEMPLATE followed by its items), which must stay
    // valid until the window has been created.
    explicit CDialog(const DLGTEMPLATE* pTemplate);
    ~CDialog() override;

    // Creates the dialog (owner disabled meanwhile), shows it after OnInitDialog unless it is
    // visible already or ended, and runs the message loop until EndDialog or WM_QUIT; then
    // destroys the window. Returns the EndDialog result, or -1 when the window could not be
    // created or WM_QUIT ended the run (the quit is posted again for an enclosing run).
    INT_PTR DoModal(HWND hWndOwner = nullptr);
    // Creates the dialog modeless with hWndParent as owner; the window stays hidden unless its
    // template has WS_VISIBLE. False if it could not be created or a window exists already.
    bool Create(HWND hWndParent);
    // Modal: ends the run with nResult once the current message has been handled.
    // Modeless: destroys the window (the object stays, windowless, for its owner to release).
    void EndDialog(int nResult);
    bool IsModal() const { return m_bModal; }
    // The DPI the dialog is drawn at: its window's when it was made, then each WM_DPICHANGED's.
    int Dpi() const;

protected:
    // WM_INITDIALOG: true lets the dialog manager focus the first tab stop.
    virtual bool OnInitDialog();
    // Asked once by DoModal after OnInitDialog: false runs the dialog without showing it (a
    // window that starts hidden and is shown later by its own code).
    virtual bool ShowWhenModalRunStarts() const { return true; }
    // IDOK / IDCANCEL pressed (Enter, the OK button; Esc, the close box, a Cancel button).
    // Both end the dialog with their id unless overridden.
    virtual void OnOK();
    virtual void OnCancel();
    // WM_DPICHANGED: the dialog has moved to a screen of another scale and taken the rectangle the
    // system offered. What it draws at a size is redone here; it is then laid out as after WM_SIZE.
    virtual void OnDpiChanged() {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND CreateFromTemplate(HWND hWndParent);
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate = 0;
    const DLGTEMPLATE* m_pTemplate = nullptr;
    bool m_bModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
    int m_nDpi = 0; // 0: the window's own, until a WM_DPICHANGED says otherwise
    CFontHandle m_fontForDpi; // the controls' font where we, not the system, rescaled the dialog
};

} // namespace brindlex
