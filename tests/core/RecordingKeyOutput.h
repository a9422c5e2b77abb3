// A key output that records every call as one line of text, so a test can compare the exact
// sequence a paste produced. Its key state follows the events it receives unless told otherwise.
#pragma once

#include "core/paste/IKeyOutput.h"
#include "PrintableText.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace brindlex {

class CRecordingKeyOutput : public IKeyOutput {
public:
    void Pause(unsigned milliseconds) override {
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

    void KeyEvent(std::uint8_t vk, std::uint32_t flags) override {
        const bool up = (flags & kKeyUp) != 0;
        std::string line = std::string(up ? "up " : "down ") + std::to_string(vk);
        if ((flags & kKeyExtended) != 0) {
            line += " ext";
        }
        if ((flags & ~(kKeyUp | kKeyExtended)) != 0) {
            line += " flags " + std::to_string(flags);
        }
        m_events.push_back(line);
        if (up) {
            m_down.erase(vk);
        } else {
            m_down.insert(vk);
        }
    }

    bool IsKeyDown(std::uint8_t vk) override {
        return m_physical.count(vk) != 0 || (m_bStateFollowsEvents && m_down.count(vk) != 0);
    }

    std::uint8_t KeyForCharacter(char16_t ch) override {
        const auto it = m_layout.find(ch);
        return it != m_layout.end() ? it->second : 0;
    }

    std::vector<std::string> m_events;
    std::u16string m_strClipboard;
    std::set<std::uint8_t> m_down;     // keys our events left down
    std::set<std::uint8_t> m_physical; // keys the user holds, not ours
    std::map<char16_t, std::uint8_t> m_layout{{u'\t', 9}, {u'\r', 13}};
    bool m_bStateFollowsEvents = true;
    int m_nClipboardFailsFrom = -1; // index of the first put that fails, -1 for never
    int m_nClipboardPuts = 0;
};

} // namespace brindlex
