// A key output that records every call as one line of text, so a test can compare the exact
// sequence a paste produced. Its key state follows the events it receives unless told otherwise.
#pragma once

#include "core/paste/IKeyOutput.h"
#include "PrintableText.h"

#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brindlex {

class CRecordingKeyOutput : public IKeyOutput {
public:
    void Pause(unsigned milliseconds) override {
        m_nPausedMs += milliseconds;
        m_events.push_back("pause " + std::to_string(milliseconds));
    }

    bool PutClipboardText(std::u16string_view text) override {
        const bool ok = m_nClipboardFailsFrom < 0 || m_nClipboardPuts < m_nClipboardFailsFrom;
        ++m_nClipboardPuts;
        m_events.push_back((ok ? "clip '" : "clip busy '") + PrintableText(text) + "'");
        if (ok) {
            m_strClipboard = std::u16string(text);
        }
        return ok;
    }

    // One line per batch, its events joined by " | ".
    void SendKeys(std::span<const KeyStroke> keys) override {
        std::string line;
        for (const KeyStroke& key : keys) {
            const bool up = (key.flags & kKeyUp) != 0;
            line += std::string(line.empty() ? "" : " | ") + (up ? "up " : "down ") + std::to_string(key.vk);
            if ((key.flags & kKeyExtended) != 0) {
                line += " ext";
            }
            if ((key.flags & ~(kKeyUp | kKeyExtended)) != 0) {
                line += " flags " + std::to_string(key.flags);
            }
            if (up) {
                m_down.erase(key.vk);
            } else {
                m_down.insert(key.vk);
            }
        }
        m_events.push_back(line);
    }

    bool IsKeyDown(std::uint8_t vk) override {
        return IsKeyHeldByUser(vk) || (m_bStateFollowsEvents && m_down.count(vk) != 0);
    }

    // A key in m_physical is held until the pauses have added up to its time in m_letGoAfterMs.
    bool IsKeyHeldByUser(std::uint8_t vk) override {
        if (m_physical.count(vk) == 0) {
            return false;
        }
        const auto it = m_letGoAfterMs.find(vk);
        return it == m_letGoAfterMs.end() || m_nPausedMs < it->second;
    }

    // Answers true until m_nTargetLeavesAtCheck checks have been made.
    bool IsTargetInFront() override {
        return m_nTargetLeavesAtCheck < 0 || m_nFrontChecks++ < m_nTargetLeavesAtCheck;
    }

    std::uint8_t KeyForCharacter(char16_t ch) override {
        const auto it = m_layout.find(ch);
        return it != m_layout.end() ? it->second : 0;
    }

    std::vector<std::string> m_events;
    std::u16string m_strClipboard;
    std::set<std::uint8_t> m_down;     // keys our events left down
    std::set<std::uint8_t> m_physical; // keys the user holds, not ours
    std::map<std::uint8_t, unsigned> m_letGoAfterMs;
    unsigned m_nPausedMs = 0;
    int m_nTargetLeavesAtCheck = -1; // -1: the target stays in front
    int m_nFrontChecks = 0;
    std::map<char16_t, std::uint8_t> m_layout{{u'\t', 9}, {u'\r', 13}};
    bool m_bStateFollowsEvents = true;
    int m_nClipboardFailsFrom = -1; // index of the first put that fails, -1 for never
    int m_nClipboardPuts = 0;
};

} // namespace brindlex
