// How long a paste waits for its target to take a run from the clipboard before the next run
// replaces it. A target that reads is given time (a busy one would otherwise paste a later run);
// one that never reads (it has no Shift+Insert paste, or it is our own window, which cannot read
// until the paste is over) must not cost that wait run after run.
#pragma once

namespace brindlex {

class CClipboardReadWait {
public:
    // Nothing is known yet about the target: long enough for a busy reader, short enough that a
    // target that never reads costs this once.
    static constexpr unsigned kFirstRunMs = 200;
    // The target has taken a run of this paste: it reads, and is waited for as long as it needs.
    static constexpr unsigned kReaderMs = 1000;
    // At most this for the last run, before the paste puts it on the clipboard for good itself.
    static constexpr unsigned kLastRunMs = 200;

    // The target cannot read while the paste runs (its window is on the pasting thread).
    void SetTargetCannotRead() { m_state = State::CannotRead; }
    void OnRunTaken();
    // A wait ran out with the run still untaken: the rest of the paste does not wait, unless
    // the target turns out to read after all.
    void OnRunUnread();

    unsigned RunWaitMs() const;
    unsigned LastRunWaitMs() const { return RunWaitMs() < kLastRunMs ? RunWaitMs() : kLastRunMs; }

private:
    enum class State { Unknown, Reads, Unread, CannotRead };
    State m_state = State::Unknown;
};

} // namespace brindlex
