// One level of a window object's message handling: it makes the message current while the
// handlers run and brings the outer one back afterwards. The object may be destroyed inside it
// (a modeless dialog asks its owner to release it); its destructor abandons every open frame so
// that none of them touches the object when it closes.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

// A message as the window procedure received it.
struct WindowMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CDispatchFrame {
public:
    // pTop and current are the object's: the innermost open frame and the message it handles.
    CDispatchFrame(CDispatchFrame*& pTop, WindowMessage& current, WindowMessage now)
        : m_pTop(pTop), m_pOuter(pTop), m_current(current), m_saved(current) {
        pTop = this;
        current = now;
    }
    ~CDispatchFrame() {
        if (!m_bAbandoned) {
            m_pTop = m_pOuter;
            m_current = m_saved;
        }
    }
    CDispatchFrame(const CDispatchFrame&) = delete;
    CDispatchFrame& operator=(const CDispatchFrame&) = delete;

    // The object is going: pTop and every frame outside it leave it alone from now on.
    static void AbandonAll(CDispatchFrame* pTop) noexcept {
        for (CDispatchFrame* frame = pTop; frame != nullptr; frame = frame->m_pOuter) {
            frame->m_bAbandoned = true;
        }
    }

private:
    CDispatchFrame*& m_pTop;
    CDispatchFrame* m_pOuter;
    WindowMessage& m_current;
    WindowMessage m_saved;
    bool m_bAbandoned = false;
};

} // namespace brindlex
