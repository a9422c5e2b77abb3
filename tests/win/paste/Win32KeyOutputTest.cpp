#include "win/paste/CPasteTarget.h"
#include "core/paste/PasteText.h"
#include "win/paste/CClipboardRestore.h"
#include "win/paste/CWin32KeyOutput.h"

#include "win/framework/CClipboardScope.h"
#include "win/framework/UniqueHandle.h"
#include "win/framework/WideString.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace brindlex;

namespace {

using Clock = std::chrono::steady_clock;

// The events by which the test's threads hand each other their turn; closed with their owner.
using CEventHandle = CUniqueHandle<CloseTraits<HANDLE, &::CloseHandle>>;

CEventHandle ManualResetEvent() {
    return CEventHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

// Waits for the event while answering the messages of this thread; false after the timeout.
bool PumpUntil(HANDLE hEvent, DWORD timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        if (::MsgWaitForMultipleObjects(1, &hEvent, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0) {
            return true;
        }
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
    }
    return false;
}

// A plain multi-line EDIT in a top-level window of its own thread, in front and focused, the way
// another program's window is when the main window pastes into it. Its own thread matters: the
// paste rewrites the clipboard for the next run while the target is still reading the last one.
class CTargetWindow {
public:
    // Pastes::No: a window without Shift+Insert paste (no EDIT), which never reads the clipboard.
    enum class Pastes { Yes, No };
    // busyMsPerKey: a slow target, busy that long before it handles each key-down.
    explicit CTargetWindow(DWORD busyMsPerKey = 0, Pastes pastes = Pastes::Yes)
        : m_busyMsPerKey(busyMsPerKey), m_pastes(pastes) {
        m_thread = std::thread([this] { Run(); });
        ::WaitForSingleObject(m_ready.get(), 10000);
    }
    ~CTargetWindow() {
        if (m_hFrame != nullptr) {
            ::PostMessageW(m_hFrame, WM_CLOSE, 0, 0);
        }
        m_thread.join();
    }
    CTargetWindow(const CTargetWindow&) = delete;
    CTargetWindow& operator=(const CTargetWindow&) = delete;

    HWND Edit() const { return m_hEdit; }
    HWND Frame() const { return m_hFrame; }

    // Polls until that many key-downs have arrived or 5 s have passed; returns the count.
    long WaitForKeyDowns(long expected) const {
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (m_nKeyDowns < expected && Clock::now() < deadline) {
            ::Sleep(20);
        }
        return m_nKeyDowns;
    }

    std::u16string Text() const {
        wchar_t buf[1024] = {};
        DWORD_PTR copied = 0;
        ::SendMessageTimeoutW(m_hEdit, WM_GETTEXT, std::size(buf), reinterpret_cast<LPARAM>(buf),
                              SMTO_ABORTIFHUNG, 2000, &copied);
        return U16(buf);
    }

    // Polls until the text is as expected or 5 s have passed; returns the last text seen.
    std::u16string WaitForText(const std::u16string& expected) const {
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        std::u16string text = Text();
        while (text != expected && Clock::now() < deadline) {
            ::Sleep(20);
            text = Text();
        }
        return text;
    }

    // Waits (at most 3 s) until the target's thread has handled all input that reached it so far:
    // keybd_event queues the input before it returns under Wine. This thread keeps answering
    // messages meanwhile, as the clipboard's owner must.
    void WaitUntilIdle() const {
        ::ResetEvent(m_idle.get());
        ::PostMessageW(m_hFrame, WM_NULL, 0, 0);
        PumpUntil(m_idle.get(), 3000);
    }

    // Gives input still on its way a moment, then waits until the target has handled it.
    void Settle() const {
        ::Sleep(100);
        WaitUntilIdle();
    }

private:
    static LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_DESTROY) {
            ::PostQuitMessage(0);
            return 0;
        }
        return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }

    void Run() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrindlexPasteTarget";
        ::RegisterClassW(&wc);
        m_hFrame = ::CreateWindowExW(0, wc.lpszClassName, L"Paste target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     40, 40, 500, 300, nullptr, nullptr, wc.hInstance, nullptr);
        if (m_pastes == Pastes::Yes) {
            m_hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN,
                                        0, 0, 480, 260, m_hFrame, nullptr, wc.hInstance, nullptr);
        }
        ::SetForegroundWindow(m_hFrame);
        ::SetFocus(m_hEdit != nullptr ? m_hEdit : m_hFrame);
        ::SetEvent(m_ready.get());
        for (;;) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    return;
                }
                if (msg.message == WM_KEYDOWN) {
                    ++m_nKeyDowns;
                    if (m_busyMsPerKey != 0) {
                        ::Sleep(m_busyMsPerKey);
                    }
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::SetEvent(m_idle.get()); // everything that had arrived is handled
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        }
    }

    DWORD m_busyMsPerKey = 0;
    Pastes m_pastes = Pastes::Yes;
    std::atomic<long> m_nKeyDowns{0};
    CEventHandle m_ready = ManualResetEvent();
    CEventHandle m_idle = ManualResetEvent();
    HWND m_hFrame = nullptr;
    HWND m_hEdit = nullptr;
    std::thread m_thread;
};

// Another program's hold on the clipboard, played by a thread that opens it and keeps it open.
class CClipboardHolder {
public:
    explicit CClipboardHolder(DWORD holdMs) {
        m_thread = std::thread([this, holdMs] {
            m_bOpened = ::OpenClipboard(nullptr) != FALSE;
            ::SetEvent(m_opened.get());
            ::WaitForSingleObject(m_letGo.get(), holdMs);
            if (m_bOpened) {
                ::CloseClipboard();
            }
        });
        // Wine's clipboard driver may ask the clipboard's owner window (ours, on this thread)
        // before another thread may open it: keep answering while waiting.
        PumpUntil(m_opened.get(), 5000);
    }
    ~CClipboardHolder() {
        ::SetEvent(m_letGo.get());
        m_thread.join();
    }
    CClipboardHolder(const CClipboardHolder&) = delete;
    CClipboardHolder& operator=(const CClipboardHolder&) = delete;

    bool Opened() const { return m_bOpened; }

private:
    CEventHandle m_opened = ManualResetEvent();
    CEventHandle m_letGo = ManualResetEvent();
    bool m_bOpened = false;
    std::thread m_thread;
};

// The real output, with the pause before each run stretched until the target has taken the last
// run from the clipboard. The program itself gives the target 20 ms; on a loaded test machine a
// thread of the test process does not always get its turn in that time.
class CPacedOutput : public brindlex::IKeyOutput {
public:
    CPacedOutput(CWin32KeyOutput& output, const CTargetWindow& target) : m_output(output), m_target(target) {}
    void Pause(unsigned milliseconds) override {
        m_output.Pause(milliseconds);
        m_target.WaitUntilIdle();
    }
    bool PutClipboardText(std::u16string_view text) override { return m_output.PutClipboardText(text); }
    void SendKeys(std::span<const KeyStroke> keys) override { m_output.SendKeys(keys); }
    bool IsKeyDown(std::uint8_t vk) override { return m_output.IsKeyDown(vk); }
    bool IsKeyHeldByUser(std::uint8_t vk) override { return m_output.IsKeyHeldByUser(vk); }
    std::uint8_t KeyForCharacter(char16_t ch) override { return m_output.KeyForCharacter(ch); }
    bool IsTargetInFront() override { return m_output.IsTargetInFront(); }

private:
    CWin32KeyOutput& m_output;
    const CTargetWindow& m_target;
};

std::u16string ClipboardText() {
    CClipboardScope clipboard(nullptr);
    if (!clipboard.IsOpen()) {
        return u"<not open>";
    }
    HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
    if (hData == nullptr) {
        return u"<no text>";
    }
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(hData));
    std::u16string result = U16(text);
    ::GlobalUnlock(hData);
    return result;
}

brindlex::PasteResult Pasted(brindlex::IKeyOutput& output, std::u16string_view text) {
    return brindlex::PasteText(output, text).result;
}

bool KeyDown(int vk) {
    return (static_cast<unsigned short>(::GetAsyncKeyState(vk)) & 0x8000u) != 0;
}

class Win32KeyOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hOwner = ::CreateWindowExW(0, L"STATIC", L"clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_hOwner, nullptr);
    }
    void TearDown() override { ::DestroyWindow(m_hOwner); }

    HWND m_hOwner = nullptr;
};

} // namespace

TEST_F(Win32KeyOutputTest, RunsArriveThroughTheClipboardAndTokensAsKeys) {
    CTargetWindow target;
    ASSERT_EQ(::GetForegroundWindow(), ::GetParent(target.Edit()));
    CWin32KeyOutput real(m_hOwner);
    CPacedOutput output(real, target);
    // Text outside Latin-1 (and outside the keyboard layout) goes whole through the clipboard.
    const std::u16string wide = u"Gr\u00FC\u00DFe \u2013 \u65E5\u672C\u8A9E \u2713 \u20AC";
    EXPECT_EQ(Pasted(output, u"Name[TAB]x[ENTER]" + wide), brindlex::PasteResult::Done);
    EXPECT_EQ(target.WaitForText(u"Name\tx\r\n" + wide), u"Name\tx\r\n" + wide);
    EXPECT_EQ(ClipboardText(), wide); // the last run stays on the clipboard

    // A tab and CR LF stored in the item: the Tab key, the Enter key, then the rest.
    ::SendMessageW(target.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    EXPECT_EQ(Pasted(output, u"a\tb[LEFT][BACKSPACE]c"), brindlex::PasteResult::Done);
    EXPECT_EQ(target.WaitForText(u"acb"), u"acb");
}

TEST_F(Win32KeyOutputTest, ClipboardHoldsTheRunOwnedByTheWindowAndKeptOutOfHistory) {
    CWin32KeyOutput output(m_hOwner);
    ASSERT_TRUE(output.PutClipboardText(u"first \u65E5\u672C"));
    EXPECT_TRUE(output.IsRunPending()) << "the text is only handed over when a reader asks";
    EXPECT_EQ(ClipboardText(), u"first \u65E5\u672C");
    EXPECT_FALSE(output.IsRunPending()) << "the reader's request was seen";
    EXPECT_EQ(::GetClipboardOwner(), output.ClipboardOwner());
    {
        CClipboardScope clipboard(nullptr);
        ASSERT_TRUE(clipboard.IsOpen());
        EXPECT_NE(
            ::GetClipboardData(::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")),
            nullptr);
        for (const wchar_t* name : {L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
            HANDLE hData = ::GetClipboardData(::RegisterClipboardFormatW(name));
            ASSERT_NE(hData, nullptr) << name;
            ASSERT_GE(::GlobalSize(hData), sizeof(DWORD));
            const auto* value = static_cast<const DWORD*>(::GlobalLock(hData));
            EXPECT_EQ(*value, 0u);
            ::GlobalUnlock(hData);
        }
    }
    // An empty run empties the text; the old text is gone.
    ASSERT_TRUE(output.PutClipboardText(u""));
    EXPECT_EQ(ClipboardText(), u"");
}

TEST_F(Win32KeyOutputTest, ClipboardHeldOpenLongFailsAfterRetriesAndKeepsTheOldText) {
    CWin32KeyOutput output(m_hOwner);
    ASSERT_TRUE(output.PutClipboardText(u"before"));
    {
        CClipboardHolder holder(5000);
        ASSERT_TRUE(holder.Opened());
        const auto start = Clock::now();
        EXPECT_FALSE(output.PutClipboardText(u"after"));
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        EXPECT_GE(waited, 80); // it did retry, about 100 ms
        EXPECT_LT(waited, 2000);

        // The paste stops at that run: no Shift+Insert pastes the stale text, nothing after it is sent.
        CTargetWindow target;
        EXPECT_EQ(Pasted(output, u"abc[TAB]d"), brindlex::PasteResult::ClipboardBusy);
        target.Settle();
        EXPECT_EQ(target.Text(), u"");
    }
    EXPECT_EQ(ClipboardText(), u"before");
}

TEST_F(Win32KeyOutputTest, ClipboardHeldForAMomentIsRiddenOut) {
    CWin32KeyOutput output(m_hOwner);
    for (DWORD hold : {10u, 40u}) {
        CClipboardHolder holder(hold);
        ASSERT_TRUE(holder.Opened());
        EXPECT_TRUE(output.PutClipboardText(u"patient")) << "held " << hold << " ms";
        EXPECT_EQ(ClipboardText(), u"patient");
    }
}

TEST_F(Win32KeyOutputTest, NoModifierIsLeftDownAfterAPaste) {
    CTargetWindow target;
    CWin32KeyOutput real(m_hOwner);
    CPacedOutput output(real, target);
    EXPECT_EQ(Pasted(output, u"a[CTRL]"), brindlex::PasteResult::Done);
    EXPECT_EQ(target.WaitForText(u"a"), u"a");
    target.Settle();
    EXPECT_FALSE(KeyDown(VK_CONTROL));
    EXPECT_FALSE(KeyDown(VK_SHIFT));

    ::SendMessageW(target.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    EXPECT_EQ(Pasted(output, u"x[SHIFT]y[CTRL][SHIFT]"), brindlex::PasteResult::Done);
    EXPECT_EQ(target.WaitForText(u"xy"), u"xy");
    target.Settle();
    EXPECT_FALSE(KeyDown(VK_CONTROL));
    EXPECT_FALSE(KeyDown(VK_SHIFT));
}

TEST_F(Win32KeyOutputTest, LayoutKeysForTabAndEnter) {
    CWin32KeyOutput output(m_hOwner);
    EXPECT_EQ(output.KeyForCharacter(u'\t'), VK_TAB);
    EXPECT_EQ(output.KeyForCharacter(u'\r'), VK_RETURN);
    EXPECT_EQ(output.KeyForCharacter(u'a'), 'A');
}

TEST_F(Win32KeyOutputTest, ASlowTargetGetsEveryRunInItsOrder) {
    // Busy 60 ms before each key: it reads a run's clipboard long after the 20 ms pause has
    // passed, so each run has to wait until the target has taken the one before it.
    CTargetWindow target(60);
    ASSERT_EQ(::GetForegroundWindow(), ::GetParent(target.Edit()));
    CWin32KeyOutput output(m_hOwner);
    EXPECT_EQ(Pasted(output, u"one[TAB]two[TAB]three"), brindlex::PasteResult::Done);
    EXPECT_EQ(target.WaitForText(u"one\ttwo\tthree"), u"one\ttwo\tthree");
}

TEST_F(Win32KeyOutputTest, ATargetThatNeverReadsDoesNotStallThePaste) {
    CTargetWindow target(0, CTargetWindow::Pastes::No);
    ASSERT_EQ(::GetForegroundWindow(), target.Frame());
    const auto start = Clock::now();
    {
        CWin32KeyOutput output(m_hOwner);
        EXPECT_EQ(
            Pasted(output, u"a[TAB]b[TAB]c[TAB]d[TAB]e[TAB]f[TAB]g[TAB]h[TAB]i[TAB]j[TAB]k[TAB]l[TAB]m"),
            brindlex::PasteResult::Done);
    } // the last run is put on the clipboard for good here
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    // 13 runs may take 13 x 20 ms and 300 ms more (given twice that here, for a loaded machine);
    // a run that waited for the one before it to be read made it more than 12 s.
    EXPECT_LT(waited, 2 * (13 * 20 + 300));
    EXPECT_EQ(target.WaitForKeyDowns(13 * 2 + 12), 13 * 2 + 12) << "every Shift+Insert and Tab arrived";
    EXPECT_EQ(ClipboardText(), u"m");
}

TEST_F(Win32KeyOutputTest, PasteTargetIsReadyOnlyOnceInFront) {
    CTargetWindow target;
    // The main window is in front when Paste is pressed: a window of this thread plays it.
    const HWND hMain = ::CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 600, 40, 100, 100,
                                         nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(hMain);
    const CPasteTarget pasteTarget(target.Frame());
    // Not brought forward, as when the system refuses the switch: not ready, after the wait.
    auto start = Clock::now();
    EXPECT_EQ(pasteTarget.WaitUntilReady(), PasteTargetState::NotInFront);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(CPasteTarget::kForegroundWaitMs - 20));
    pasteTarget.BringToFront();
    EXPECT_EQ(pasteTarget.WaitUntilReady(), PasteTargetState::Ready) << "in front, at our integrity level";
    ASSERT_TRUE(ProcessIntegrityLevel(::GetCurrentProcessId()).has_value());

    // Closed since the list was built: not ready, without the wait.
    ::DestroyWindow(hMain);
    start = Clock::now();
    EXPECT_EQ(CPasteTarget(hMain).WaitUntilReady(), PasteTargetState::NotInFront);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
}

namespace {

// Puts these formats on the clipboard as another program would (no owner window).
void SetClipboardFormats(const std::vector<std::pair<UINT, std::string>>& formats) {
    CClipboardScope clipboard(nullptr);
    ASSERT_TRUE(clipboard.IsOpen());
    ::EmptyClipboard();
    for (const auto& [id, bytes] : formats) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
        ::GlobalUnlock(h);
        ::SetClipboardData(id, h);
    }
}

// The first `size` bytes of a format (a block may be rounded up), or "<none>".
std::string ClipboardBytes(UINT id, std::size_t size) {
    CClipboardScope clipboard(nullptr);
    HANDLE h = clipboard.IsOpen() ? ::GetClipboardData(id) : nullptr;
    if (h == nullptr || ::GlobalSize(h) < size) {
        return "<none>";
    }
    std::string bytes(static_cast<const char*>(::GlobalLock(h)), size);
    ::GlobalUnlock(h);
    return bytes;
}

} // namespace

TEST_F(Win32KeyOutputTest, TheClipboardComesBackByteForByteUnlessAnotherProgramChangedIt) {
    // A text and a 2x2 24-bit DIB, as the user copied them.
    const std::u16string text = u"copied \u2713";
    const std::string textBytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
    std::string dib(reinterpret_cast<const char*>(&header), sizeof header);
    dib += std::string("\x01\x02\x03\x04\x05\x06\0\0\x07\x08\x09\x0A\x0B\x0C\0\0", 16);
    SetClipboardFormats({{CF_UNICODETEXT, textBytes}, {CF_DIB, dib}});

    CTargetWindow target;
    {
        CWin32KeyOutput output(m_hOwner, target.Frame());
        CClipboardRestore restore(output);
        EXPECT_EQ(Pasted(output, u"x[TAB]y"), brindlex::PasteResult::Done);
        EXPECT_EQ(target.WaitForText(u"x\ty"), u"x\ty");
        EXPECT_TRUE(restore.AfterPaste(true, false));
    }
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT, textBytes.size()), textBytes);
    EXPECT_EQ(ClipboardBytes(CF_DIB, dib.size()), dib);
    EXPECT_NE(ClipboardBytes(::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), 4), "<none>")
        << "kept out of clipboard history";

    // Another program copies something while the paste runs: that stays.
    {
        CWin32KeyOutput output(m_hOwner, target.Frame());
        CClipboardRestore restore(output);
        EXPECT_EQ(Pasted(output, u"z"), brindlex::PasteResult::Done);
        EXPECT_EQ(target.WaitForText(u"x\tyz"), u"x\tyz");
        std::thread([] { SetClipboardFormats({{CF_TEXT, std::string("theirs", 7)}}); }).join();
        EXPECT_FALSE(restore.AfterPaste(true, false));
    }
    EXPECT_EQ(ClipboardBytes(CF_TEXT, 7), std::string("theirs", 7));
}

TEST_F(Win32KeyOutputTest, KeysGoOutWithTheirScanCodesAndTheTargetIsWatched) {
    CTargetWindow target;
    CWin32KeyOutput output(m_hOwner, target.Frame());
    EXPECT_TRUE(output.IsTargetInFront());
    const HWND hOther = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 40, 100, 100,
                                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(hOther);
    EXPECT_FALSE(output.IsTargetInFront()) << "another window in front";
    // Nothing of the paste reaches either window once another one is in front.
    EXPECT_EQ(Pasted(output, u"a[TAB]b"), brindlex::PasteResult::TargetLeft);
    ::DestroyWindow(hOther);
    target.Settle();
    EXPECT_EQ(target.Text(), u"");
}
