#include "core/paste/CClipboardReadWait.h"

namespace brindlex {

void CClipboardReadWait::OnRunTaken() {
    if (m_state != State::CannotRead) {
        m_state = State::Reads;
    }
}

void CClipboardReadWait::OnRunUnread() {
    if (m_state != State::CannotRead) {
        m_state = State::Unread;
    }
}

unsigned CClipboardReadWait::RunWaitMs() const {
    switch (m_state) {
    case State::Unknown:
        return kFirstRunMs;
    case State::Reads:
        return kReaderMs;
    case State::Unread:
    case State::CannotRead:
        break;
    }
    return 0;
}

} // namespace brindlex
