// Hostile and damaged data files: lengths and counts that claim far more than the file holds,
// lengths whose byte size wraps, over-long class names, and a valid file cut at every byte.
// Each must fail ("Wrong data file!" for the user), keep what was read whole before the fault,
// and never ask for much more memory than the file itself takes.
//
// The memory is measured by replacing the global allocation functions of this test binary with
// counting ones (they still go through malloc, so the sanitizers keep seeing every block).
#include "ArchiveTestSupport.h"
#include "core/library/DataArchive.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__GLIBC__)
#include <malloc.h>

using namespace brindlex;
#define BRINDLEX_COUNTING_ALLOCATOR 1
#endif

#if BRINDLEX_COUNTING_ALLOCATOR
namespace {

std::atomic<std::size_t> g_liveBytes{0};
std::atomic<std::size_t> g_peakBytes{0};

void* CountedAllocate(std::size_t size) noexcept {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p != nullptr) {
        const std::size_t live = g_liveBytes.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
        std::size_t peak = g_peakBytes.load();
        while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
        }
    }
    return p;
}

void* CountedAllocateOrThrow(std::size_t size) {
    void* p = CountedAllocate(size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

void CountedFree(void* p) noexcept {
    if (p != nullptr) {
        g_liveBytes.fetch_sub(malloc_usable_size(p));
        std::free(p);
    }
}

} // namespace

void* operator new(std::size_t size) {
    return CountedAllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocate(size);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}
#endif

using namespace archive_test;

namespace {

struct ReadOutcome {
    bool ok = false;
    std::string dump;
    std::size_t peakBytes = 0; // most memory held at once while reading, above what was held before
};

ReadOutcome Read(const Bytes& file) {
    ReadOutcome out;
    CLibrary lib;
#if BRINDLEX_COUNTING_ALLOCATOR
    const std::size_t before = g_liveBytes.load();
    g_peakBytes.store(before);
    out.ok = brindlex::ReadDataArchive(file, lib);
    out.peakBytes = g_peakBytes.load() - before;
#else
    out.ok = brindlex::ReadDataArchive(file, lib);
#endif
    out.dump = Dump(lib);
    return out;
}

// What a file may cost while it is read: every record in memory is larger than in the file (an
// empty group is 5 bytes on disk and a heap block plus a pointer in memory), so the bound is a
// fixed multiple of the size plus a little for the first blocks.
std::size_t MemoryBound(std::size_t fileSize) {
    return 32 * fileSize + 4096;
}

Bytes Repeat(const Bytes& part, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

const Bytes kUnicode = Hex("FF FE FF");
const Bytes kEscape16 = Hex("FF");
const Bytes kEscape32 = Hex("FF FF FF");
const Bytes kEscape64 = Hex("FF FF FF FF FF FF FF");

Bytes Le64(std::uint64_t v) {
    return Cat({Le32(static_cast<std::uint32_t>(v)), Le32(static_cast<std::uint32_t>(v >> 32))});
}

// One group whose name is `name`, as the first record of a file.
Bytes FileWithGroupName(const Bytes& name) {
    return Cat({Header(), Le32(1), name, Le32(0)});
}

} // namespace

TEST(CraftedFile, CountingAllocatorSeesTheReader) {
#if !BRINDLEX_COUNTING_ALLOCATOR
    GTEST_SKIP() << "no malloc_usable_size here: memory is not measured";
#else
    // Without this the bounds below could pass because nothing is counted.
    const Bytes file = FileWithGroupName(Cat({kUnicode, kEscape16, Le16(600), Bytes(1200, 'a')}));
    const ReadOutcome r = Read(file);
    ASSERT_TRUE(r.ok);
    EXPECT_GE(r.peakBytes, 1200u);
    EXPECT_LE(r.peakBytes, MemoryBound(file.size()));
#endif
}

TEST(CraftedFile, HostileLengthsCountsAndNamesFailWithoutAllocating) {
    const Bytes groupG = Cat({WideShort(u"g")});
    const Bytes twoBytes = Hex("61 00");
    struct Case {
        const char* what;
        Bytes file;
        std::string kept;
    };
    const Case cases[] = {
        {"64-bit length 2^64-1", FileWithGroupName(Cat({kUnicode, kEscape64, Le64(~0ull), twoBytes})), ""},
        {"64-bit narrow length 2^64-1", FileWithGroupName(Cat({kEscape64, Le64(~0ull), twoBytes})), ""},
        {"64-bit length 2^63 (times 2 wraps to 0)",
         FileWithGroupName(Cat({kUnicode, kEscape64, Le64(1ull << 63), twoBytes})), ""},
        {"64-bit length 2^63+1 (times 2 wraps to 2)",
         FileWithGroupName(Cat({kUnicode, kEscape64, Le64((1ull << 63) + 1), twoBytes})), ""},
        {"64-bit length just above 0x7FFFFFFF",
         FileWithGroupName(Cat({kUnicode, kEscape64, Le64(0x80000000u), twoBytes})), ""},
        {"64-bit length 0x7FFFFFFF with 2 bytes of text",
         FileWithGroupName(Cat({kUnicode, kEscape64, Le64(0x7FFFFFFFu), twoBytes})), ""},
        {"32-bit length 0x80000000 (times 2 wraps to 0 in 32 bits)",
         FileWithGroupName(Cat({kUnicode, kEscape32, Le32(0x80000000u), twoBytes})), ""},
        {"32-bit length 0xFFFFFFFE",
         FileWithGroupName(Cat({kUnicode, kEscape32, Le32(0xFFFFFFFEu), twoBytes})), ""},
        {"32-bit narrow length 0xFFFFFFFE", FileWithGroupName(Cat({kEscape32, Le32(0xFFFFFFFEu), twoBytes})),
         ""},
        {"16-bit length 0xFFFD", FileWithGroupName(Cat({kUnicode, kEscape16, Le16(0xFFFD), twoBytes})), ""},
        {"length of one unit more than the file holds", Cat({Header(), Le32(1), kUnicode, Hex("02 61 00")}),
         ""},
        {"file ends inside the 64-bit length", Cat({Header(), Le32(1), kUnicode, kEscape64, Hex("01 00 00")}),
         ""},
        {"item text with length 2^64-1 keeps the group",
         Cat({Header(), Le32(1), groupG, Le32(1), WideShort(u"n"), Le32(0), kUnicode, kEscape64,
              Le64(~0ull)}),
         "[g]\n"},
        {"item name with length 0x7FFFFFFF keeps the items before it",
         Cat({Header(), Le32(1), groupG, Le32(2), WideShort(u"a"), Le32(3), WideShort(u"A"), kUnicode,
              kEscape32, Le32(0x7FFFFFFF), twoBytes}),
         "[g] {a|3|A}\n"},
        {"group count 2^31-1 and ten bytes of groups",
         Cat({Header(), Le32(0x7FFFFFFF), Repeat(Cat({Hex("00"), Le32(0)}), 2)}), "[]\n[]\n"},
        {"group count 2^31-1 and nothing after it", Cat({Header(), Le32(0x7FFFFFFF)}), ""},
        {"item count 2^31-1 and twelve bytes of items",
         Cat({Header(), Le32(1), groupG, Le32(0x7FFFFFFF), Repeat(Cat({Hex("00"), Le32(0), Hex("00")}), 2)}),
         "[g] {|0|} {|0|}\n"},
        {"ten bytes: the header without its last byte", Hex("FF FF 01 00 05 00 43 44 61 74"), ""},
        {"class name length 64 with 64 bytes of name",
         Cat({Hex("FF FF 01 00 40 00"), Bytes(64, 'C'), Le32(1), groupG, Le32(0)}), ""},
        {"class name length 64 and nothing after it", Hex("FF FF 01 00 40 00"), ""},
        {"class name length 63 with 63 bytes of name",
         Cat({Hex("FF FF 01 00 3F 00"), Bytes(63, 'C'), Le32(1), groupG, Le32(0)}), ""},
        {"class name length 0xFFFF", Cat({Hex("FF FF 01 00 FF FF"), Hex("43 44 61 74 61")}), ""},
    };
    for (const Case& c : cases) {
        const ReadOutcome r = Read(c.file);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.dump, c.kept) << c.what;
        EXPECT_LE(r.peakBytes, MemoryBound(c.file.size())) << c.what << " (" << c.file.size() << " bytes)";
    }
}

namespace {

// A string of the file in a chosen encoding, with the text it stands for.
struct FileString {
    Bytes bytes;
    std::u16string text;
};

enum class LengthForm { Bits8, Bits16, Bits32, Bits64 };

Bytes LengthBytes(std::size_t length, LengthForm form) {
    switch (form) {
    case LengthForm::Bits8:
        return {static_cast<std::uint8_t>(length)};
    case LengthForm::Bits16:
        return Cat({kEscape16, Le16(static_cast<std::uint16_t>(length))});
    case LengthForm::Bits32:
        return Cat({kEscape32, Le32(static_cast<std::uint32_t>(length))});
    case LengthForm::Bits64:
        break;
    }
    return Cat({kEscape64, Le64(length)});
}

FileString Wide(const std::u16string& text, LengthForm form = LengthForm::Bits8) {
    Bytes out = Cat({kUnicode, LengthBytes(text.size(), form)});
    for (const char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return {out, text};
}

// 8-bit characters, read as Latin-1 by the core.
FileString Narrow(const std::string& raw, LengthForm form = LengthForm::Bits8) {
    Bytes out = LengthBytes(raw.size(), form);
    std::u16string text;
    for (const char c : raw) {
        out.push_back(static_cast<std::uint8_t>(c));
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return {out, text};
}

struct ItemRecord {
    FileString name;
    std::uint32_t reserved;
    FileString text;
};

struct GroupRecord {
    FileString name;
    std::vector<ItemRecord> items;
};

} // namespace

TEST(CraftedFile, ValidFileCutAtEveryByteKeepsWhatWasReadWhole) {
    const std::vector<GroupRecord> groups = {
        {Wide(u"Work"), {{Wide(u"Sig"), 7, Wide(u"Bye\r\n\t[ENTER]")}, {Narrow(""), 0, Narrow("caf\xE9")}}},
        {Wide(std::u16string(255, u'W'), LengthForm::Bits16), {}},
        {Narrow(std::string(254, 'n')),
         {{Wide(u"a", LengthForm::Bits32), 1, Wide(u"bc", LengthForm::Bits64)},
          {Narrow(std::string(300, 'z'), LengthForm::Bits16), 0, Wide(std::u16string(254, u'\xE000'))}}},
        {Wide(u""), {{Wide(u"x"), 0xFFFFFFFFu, Wide(u"")}}},
    };

    // Built record by record, noting where each group name and each item ends and what the
    // library holds from there on.
    Bytes file = Cat({Header(), Le32(static_cast<std::uint32_t>(groups.size()))});
    CLibrary expected;
    std::vector<std::pair<std::size_t, std::string>> milestones{{0, ""}};
    for (const GroupRecord& g : groups) {
        file.insert(file.end(), g.name.bytes.begin(), g.name.bytes.end());
        CPasteGroup& group = expected.AddGroup(g.name.text);
        milestones.emplace_back(file.size(), Dump(expected));
        file = Cat({file, Le32(static_cast<std::uint32_t>(g.items.size()))});
        for (const ItemRecord& i : g.items) {
            file = Cat({file, i.name.bytes, Le32(i.reserved), i.text.bytes});
            expected.AddItem(group, i.name.text, i.reserved, i.text.text);
            milestones.emplace_back(file.size(), Dump(expected));
        }
    }

    const ReadOutcome whole = Read(file);
    ASSERT_TRUE(whole.ok);
    ASSERT_EQ(whole.dump, Dump(expected));

    std::size_t next = 0; // the last milestone at or before the cut
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        while (next + 1 < milestones.size() && milestones[next + 1].first <= cut) {
            ++next;
        }
        const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
        const ReadOutcome r = Read(part);
        EXPECT_FALSE(r.ok) << "cut at " << cut;
        EXPECT_EQ(r.dump, milestones[next].second) << "cut at " << cut;
        EXPECT_LE(r.peakBytes, MemoryBound(cut)) << "cut at " << cut;
    }
}
