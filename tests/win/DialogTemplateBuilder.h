// Builds a DLGTEMPLATE with its items in memory, for tests that need a dialog without a resource.
#pragma once

#include "win/framework/Win32.h"

#include <cstring>
#include <string>
#include <vector>

namespace brindlex {

class CDialogTemplateBuilder {
public:
    CDialogTemplateBuilder(DWORD style, short cx, short cy, const wchar_t* caption) {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT;
        header.cx = cx;
        header.cy = cy;
        Append(&header, sizeof(header));
        Word(0); // no menu
        Word(0); // default class
        String(caption);
        Word(8);
        String(L"MS Shell Dlg");
    }

    // A control by atom (0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box, 0x0085
    // combo box) or by class name.
    CDialogTemplateBuilder& Control(WORD atom, const wchar_t* text, WORD id, DWORD style, short x, short y,
                                    short cx, short cy) {
        BeginItem(style, x, y, cx, cy, id);
        Word(0xFFFF);
        Word(atom);
        return Finish(text);
    }
    CDialogTemplateBuilder& Control(const wchar_t* className, const wchar_t* text, WORD id, DWORD style,
                                    short x, short y, short cx, short cy) {
        BeginItem(style, x, y, cx, cy, id);
        String(className);
        return Finish(text);
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void BeginItem(DWORD style, short x, short y, short cx, short cy, WORD id) {
        if (m_words.size() % 2 != 0) {
            Word(0); // items start on a DWORD boundary
        }
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof(item));
        ++reinterpret_cast<DLGTEMPLATE*>(m_words.data())->cdit;
    }
    CDialogTemplateBuilder& Finish(const wchar_t* text) {
        String(text);
        Word(0); // no creation data
        return *this;
    }
    void Append(const void* data, std::size_t bytes) {
        const std::size_t at = m_words.size();
        m_words.resize(at + (bytes + 1) / 2);
        std::memcpy(m_words.data() + at, data, bytes);
    }
    void Word(WORD w) { m_words.push_back(w); }
    void String(const wchar_t* s) {
        for (; *s != L'\0'; ++s) {
            Word(static_cast<WORD>(*s));
        }
        Word(0);
    }

    std::vector<WORD> m_words;
};

} // namespace brindlex
