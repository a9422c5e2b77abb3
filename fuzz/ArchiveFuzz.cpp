// Fuzz target for the data file reader. Whatever the bytes, reading must neither crash nor ask
// for memory the file cannot justify, and what it kept (a whole file or the part before a fault)
// must save and read back as the same library, with the same bytes on a second save.
#include "core/library/DataArchive.h"
#include "core/library/ExportFormat.h"
#include "core/library/CLibrary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

using namespace brindlex;

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "archive fuzz: %s\n", what);
    std::abort();
}

// The reserved value is not compared: it is kept as read but always saved as 0.
bool SameContents(const CLibrary& a, const CLibrary& b) {
    if (a.GroupCount() != b.GroupCount()) {
        return false;
    }
    for (int g = 0; g < a.GroupCount(); ++g) {
        const CPasteGroup& x = a.Group(g);
        const CPasteGroup& y = b.Group(g);
        if (x.m_strName != y.m_strName || x.ItemCount() != y.ItemCount()) {
            return false;
        }
        for (std::size_t i = 0; i < x.ItemCount(); ++i) {
            if (x.Item(i).m_strName != y.Item(i).m_strName || x.Item(i).m_strText != y.Item(i).m_strText ||
                y.Item(i).m_dwReserved != 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLibrary first;
    const bool parsed = brindlex::ReadDataArchive(std::span<const std::uint8_t>(data, size), first);

    const brindlex::Bytes saved = brindlex::WriteDataArchive(first);
    if (saved.size() != brindlex::DataArchiveSize(first)) {
        Fail("the saved size differs from DataArchiveSize");
    }
    CLibrary second;
    if (!brindlex::ReadDataArchive(saved, second)) {
        Fail(parsed ? "a saved library does not read back" : "a partial library does not read back");
    }
    if (!SameContents(first, second)) {
        Fail("the library read back differs from the one saved");
    }
    if (brindlex::WriteDataArchive(second) != saved) {
        Fail("the second save gives other bytes");
    }

    // The export reads the same library; it must hold at least the BOM and stay whole units,
    // and its size is known before it is written, so that a large one is never copied to grow.
    const std::vector<std::uint8_t> text = brindlex::FormatExportText(first);
    if (text.size() < 2 || text[0] != 0xFF || text[1] != 0xFE || text.size() % 2 != 0) {
        Fail("the export is not UTF-16LE with a byte-order mark");
    }
    if (text.capacity() != text.size()) {
        Fail("the export was not sized exactly in advance");
    }
    return 0;
}
