#include "core/library/ExportFormat.h"

#include <algorithm>
#include <bit>
#include <string_view>

namespace brindlex {

namespace {

constexpr std::u16string_view kHeader = u"Brindlex exported data.\n\n";
constexpr std::u16string_view kItemLineStart = u"Item: \"";
constexpr std::u16string_view kItemLineMiddle = u"\" (group \"";
constexpr std::u16string_view kItemLineEnd = u"\")\n";
constexpr std::u16string_view kTextStart = u"String:\n";
constexpr std::u16string_view kTextEnd = u"\n\n";
constexpr std::size_t kSeparatorLength = 79;

bool IsLfAfterCr(std::u16string_view text, std::size_t lf) {
    return lf > 0 && text[lf - 1] == u'\r';
}

class CExportSink {
public:
    explicit CExportSink(std::vector<std::uint8_t>& out) : m_out(out) {}

    // Text with the file's line ends: a lone LF goes out as CR LF as a text-mode stream would
    // write it, but an LF that already follows a CR goes out as it is, so that a CR LF of the
    // text stays one line end. Everything else is written as it is.
    void Put(std::u16string_view text) {
        while (!text.empty()) {
            const std::size_t lf = std::min(text.find(u'\n'), text.size());
            if (lf == text.size()) {
                PutRaw(text);
                break;
            }
            if (IsLfAfterCr(text, lf)) {
                PutRaw(text.substr(0, lf + 1));
            } else {
                PutRaw(text.substr(0, lf));
                PutRaw(u"\r\n");
            }
            text.remove_prefix(lf + 1);
        }
    }

    void PutRaw(std::u16string_view units) {
        if constexpr (std::endian::native == std::endian::little) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(units.data());
            m_out.insert(m_out.end(), p, p + units.size() * 2);
        } else {
            for (const char16_t c : units) {
                m_out.push_back(static_cast<std::uint8_t>(c));
                m_out.push_back(static_cast<std::uint8_t>(c >> 8));
            }
        }
    }

private:
    std::vector<std::uint8_t>& m_out;
};

std::size_t WithLineEnds(std::u16string_view text) {
    std::size_t units = text.size();
    for (std::size_t lf = text.find(u'\n'); lf != std::u16string_view::npos; lf = text.find(u'\n', lf + 1)) {
        units += IsLfAfterCr(text, lf) ? 0 : 1;
    }
    return units;
}

// The exact size of the export: every lone LF goes out as two units. Reserving it keeps a large
// library from being copied into a twice-as-large buffer when the guess falls short.
std::size_t ExportSize(const CLibrary& library) {
    std::size_t units = 1 + kHeader.size() + 2;
    const std::size_t fixed = 2 * (kSeparatorLength + 2) + kItemLineStart.size() + kItemLineMiddle.size() +
                              kItemLineEnd.size() + 1 + kTextStart.size() + 1 + kTextEnd.size() + 2;
    for (int g = 0; g < library.GroupCount(); ++g) {
        const CPasteGroup& group = library.Group(g);
        for (const auto& item : group.m_arrItems) {
            units += fixed + WithLineEnds(item->m_strName) + WithLineEnds(group.m_strName) +
                     WithLineEnds(item->m_strText);
        }
    }
    return units * 2;
}

} // namespace

std::vector<std::uint8_t> FormatExportText(const CLibrary& library) {
    std::vector<std::uint8_t> out;
    out.reserve(ExportSize(library));
    out.push_back(0xFF);
    out.push_back(0xFE);
    CExportSink sink(out);
    const std::u16string separator = std::u16string(kSeparatorLength, u'-') + u"\n";
    sink.Put(kHeader);
    for (int g = 0; g < library.GroupCount(); ++g) {
        const CPasteGroup& group = library.Group(g);
        for (const auto& item : group.m_arrItems) {
            sink.Put(separator);
            sink.Put(kItemLineStart);
            sink.Put(item->m_strName);
            sink.Put(kItemLineMiddle);
            sink.Put(group.m_strName);
            sink.Put(kItemLineEnd);
            sink.Put(separator);
            sink.Put(kTextStart);
            sink.Put(item->m_strText);
            sink.Put(kTextEnd);
        }
    }
    return out;
}

} // namespace brindlex
