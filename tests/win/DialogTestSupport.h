// Shared by the Win32 tests of the dialogs and their controls: the common controls and the rich
// edit loaded, a top-level test window that stands in for the main window (it records the
// messages it gets and can answer them), a message pump that waits for a condition (bounded), and
// screen pixels.
#pragma once

#include "win/framework/CMessageLoop.h"
#include "win/framework/CWnd.h"
#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"
#include "win/framework/WideString.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace brindlex {

namespace dialog_test {

// What the dialogs need of the process, as the program's start-up provides it.
inline void LoadControls() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof icc;
        icc.dwICC = ICC_WIN95_CLASSES | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&icc);
        return LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) != nullptr;
    }();
    ASSERT_TRUE(loaded) << "riched20.dll";
}

// Runs queued messages (with dialog navigation) until done() holds, for `ms` milliseconds at most;
// false when it did not. A test that checks that something does not happen waits for it to happen
// and expects false: EXPECT_FALSE(PumpUntil(saved, kDelayMs + 300)).
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            CMessageLoop::Process(msg);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A condition: nothing waits in this thread's queue, so that everything posted, sent, typed or
// clicked to its windows, a timer that is due and what they have to paint are all handled.
inline bool QueueEmpty() {
    return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0;
}

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A visible top-level window of our own class that records the messages in [first, last] and
// WM_NOTIFY, and passes them to onMessage (e.g. to release a dialog, as the main window does).
class CTestOwner : public CWnd {
public:
    CTestOwner(UINT first = WM_USER - 16, UINT last = WM_USER + 0x100) : m_first(first), m_last(last) {
        EXPECT_TRUE(CreateEx(0, nullptr, L"Brindlex dialog test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             RECT{40, 40, 640, 520}, nullptr, 0));
    }
    ~CTestOwner() override { DestroyWindow(); }

    std::vector<Received> received;
    std::function<void(const Received&)> onMessage;
    // When set, the background is erased in this colour instead of the button face.
    COLORREF background = CLR_INVALID;
    // The NMHDR of every WM_NOTIFY, copied.
    std::vector<NMHDR> notifications;

    int Count(UINT message) const {
        int n = 0;
        for (const auto& r : received) {
            n += r.message == message ? 1 : 0;
        }
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND && background != CLR_INVALID) {
            RECT rc = GetClientRect();
            CBrushHandle brush(CreateSolidBrush(background));
            FillRect(reinterpret_cast<HDC>(wParam), &rc, brush.get());
            return TRUE;
        }
        if (message == WM_NOTIFY) {
            notifications.push_back(*reinterpret_cast<const NMHDR*>(lParam));
        }
        if ((message >= m_first && message <= m_last) || message == WM_NOTIFY) {
            const Received r{message, wParam, lParam};
            received.push_back(r);
            if (onMessage) {
                onMessage(r);
            }
            if (message != WM_NOTIFY) {
                return 0;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    UINT m_first;
    UINT m_last;
};

// Pixels of a screen rectangle (what the user sees), as COLORREFs row by row; or of a window's
// client area as the window has drawn it, read from its own DC.
class CScreenPixels {
public:
    explicit CScreenPixels(const RECT& rcScreen)
        : m_left(rcScreen.left), m_top(rcScreen.top), m_width(rcScreen.right - rcScreen.left),
          m_height(rcScreen.bottom - rcScreen.top) {
        HDC hScreen = GetDC(nullptr);
        Capture(hScreen, m_left, m_top);
        ReleaseDC(nullptr, hScreen);
    }
    explicit CScreenPixels(HWND hWnd) : m_left(0), m_top(0), m_width(0), m_height(0) {
        RECT rc{};
        GetClientRect(hWnd, &rc);
        m_width = rc.right;
        m_height = rc.bottom;
        HDC hDC = GetDC(hWnd);
        Capture(hDC, 0, 0);
        ReleaseDC(hWnd, hDC);
    }

    bool Valid() const { return !m_pixels.empty(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool SameAs(const CScreenPixels& other) const {
        return m_width == other.m_width && m_height == other.m_height && m_pixels == other.m_pixels;
    }
    // At a point relative to the rectangle's top left.
    COLORREF At(int x, int y) const {
        const std::uint32_t v = m_pixels[static_cast<std::size_t>(y) * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // How many pixels of the sub-rectangle satisfy the test.
    int Count(const RECT& rc, const std::function<bool(COLORREF)>& test) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                n += test(At(x, y)) ? 1 : 0;
            }
        }
        return n;
    }

private:
    void Capture(HDC source, int x, int y) {
        if (m_width <= 0 || m_height <= 0) {
            return;
        }
        CMemoryDC memDC(CreateCompatibleDC(source));
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = m_width;
        bmi.bmiHeader.biHeight = -m_height; // top-down
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        CBitmapHandle dib(CreateDIBSection(source, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (dib && memDC) {
            HGDIOBJ old = SelectObject(memDC.get(), dib.get());
            BitBlt(memDC.get(), 0, 0, m_width, m_height, source, x, y, SRCCOPY);
            GdiFlush();
            const auto* p = static_cast<const std::uint32_t*>(bits);
            m_pixels.assign(p, p + static_cast<std::size_t>(m_width) * m_height);
            SelectObject(memDC.get(), old);
        }
    }

    int m_left;
    int m_top;
    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
};

// The client area of a window in screen coordinates.
inline RECT ClientOnScreen(HWND hWnd) {
    RECT rc{};
    GetClientRect(hWnd, &rc);
    MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A condition: the screen shows the window's client area as the window has drawn it. Wine hands
// what a window paints to the X server a moment later, so a picture of the screen waits for this.
inline bool ScreenShows(HWND hWnd) {
    const CScreenPixels screen(ClientOnScreen(hWnd));
    return screen.Valid() && screen.SameAs(CScreenPixels(hWnd));
}

// Brings a window to the top of the screen and lets it paint, until the screen shows it.
inline void ShowOnTop(HWND hWnd) {
    SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([hWnd] { return QueueEmpty() && ScreenShows(hWnd); }, 2000);
}

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace dialog_test

} // namespace brindlex
