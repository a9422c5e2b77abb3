// The data file image: the exact bytes written, and what is read back from valid, foreign and
// damaged files.
#include "ArchiveTestSupport.h"
#include "core/library/CArchiveReader.h"
#include "core/library/CArchiveWriter.h"
#include "core/library/DataArchive.h"

#include <gtest/gtest.h>

using namespace brindlex;

using namespace archive_test;
using brindlex::ReadDataArchive;
using brindlex::WriteDataArchive;

namespace {

const Bytes kWorkedExample = Hex("FF FF 01 00 05 00 43 44 61 74 61 01 00 00 00 FF FE FF 01 41 00 01 00 00 00 "
                                 "FF FE FF 01 78 00 00 00 00 00 FF FE FF 02 68 00 69 00");

std::string DumpOf(const Bytes& bytes, bool* ok = nullptr) {
    CLibrary lib;
    const bool parsed = ReadDataArchive(bytes, lib);
    if (ok != nullptr) {
        *ok = parsed;
    }
    return Dump(lib);
}

// The bytes that introduce a string of `length` units (marker and length form).
Bytes StringPrefix(std::size_t length) {
    CLibrary lib;
    lib.AddGroup(std::u16string(length, u'n'));
    const Bytes image = WriteDataArchive(lib);
    const std::size_t start = 15; // header and group count
    const std::size_t prefix = image.size() - start - length * 2 - 4;
    return Bytes(image.begin() + start, image.begin() + static_cast<std::ptrdiff_t>(start + prefix));
}

} // namespace

TEST(Archive, WorkedExampleIsWrittenAndReadByteForByte) {
    CLibrary lib;
    CPasteGroup& a = lib.AddGroup(u"A");
    lib.AddItem(a, u"x", 0, u"hi");
    EXPECT_EQ(WriteDataArchive(lib), kWorkedExample);
    EXPECT_EQ(brindlex::DataArchiveSize(lib), kWorkedExample.size());
    EXPECT_EQ(WriteDataArchive(lib, Bytes(64, 0xAB)), kWorkedExample) << "made in memory that held bytes";

    bool ok = false;
    EXPECT_EQ(DumpOf(kWorkedExample, &ok), "[A] {x|0|hi}\n");
    EXPECT_TRUE(ok);
}

TEST(Archive, EmptyLibraryIsHeaderAndZeroCount) {
    CLibrary lib;
    EXPECT_EQ(WriteDataArchive(lib), Cat({Header(), Le32(0)}));
}

TEST(Archive, LengthFormsAreTheShortestThatHold) {
    EXPECT_EQ(StringPrefix(0), Hex("FF FE FF 00"));
    EXPECT_EQ(StringPrefix(254), Hex("FF FE FF FE"));
    EXPECT_EQ(StringPrefix(255), Hex("FF FE FF FF FF 00"));
    EXPECT_EQ(StringPrefix(300), Hex("FF FE FF FF 2C 01"));
    EXPECT_EQ(StringPrefix(0xFFFD), Hex("FF FE FF FF FD FF"));
    // 0xFFFE as a 16-bit length would read as the Unicode marker.
    EXPECT_EQ(StringPrefix(0xFFFE), Hex("FF FE FF FF FF FF FE FF 00 00"));
    EXPECT_EQ(StringPrefix(0x10000), Hex("FF FE FF FF FF FF 00 00 01 00"));
}

TEST(Archive, HugeLengthFormsAreEncodedWithoutTheText) {
    // Strings this long cannot be built in a test; the length encoding is checked on its own.
    const auto encode = [](std::uint64_t length) {
        Bytes out;
        CArchiveWriter(out).WriteStringLength(length);
        return out;
    };
    EXPECT_EQ(encode(0xFFFFFFFEu), Hex("FF FF FF FE FF FF FF"));
    EXPECT_EQ(encode(0xFFFFFFFFu), Hex("FF FF FF FF FF FF FF FF FF FF FF 00 00 00 00"));
    EXPECT_EQ(encode(0x123456789ull), Hex("FF FF FF FF FF FF FF 89 67 45 23 01 00 00 00"));
    for (std::uint64_t length : {0ull, 254ull, 255ull, 0xFFFDull, 0xFFFEull, 0xFFFFFFFEull, 0xFFFFFFFFull}) {
        EXPECT_EQ(encode(length).size(), CArchiveWriter::StringLengthSize(length)) << length;
    }
}

TEST(Archive, EveryLengthFormReadsBack) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 0xFFFDu, 0xFFFEu, 0xFFFFu, 0x10001u}) {
        CLibrary lib;
        std::u16string name(length, u'\0');
        for (std::size_t i = 0; i < length; ++i) {
            name[i] = static_cast<char16_t>(0x20 + i * 7919 % 0xFFD0);
        }
        CPasteGroup& g = lib.AddGroup(name);
        lib.AddItem(g, u"", 0, name + u"!");
        CLibrary back;
        ASSERT_TRUE(ReadDataArchive(WriteDataArchive(lib), back)) << length;
        ASSERT_EQ(back.GroupCount(), 1);
        EXPECT_TRUE(back.Group(0).m_strName == name) << length;
        ASSERT_EQ(back.Group(0).ItemCount(), 1u);
        EXPECT_TRUE(back.Group(0).Item(0).m_strText == name + u"!") << length;
    }
}

TEST(Archive, ReaderAcceptsLongerLengthFormsThanNeeded) {
    // Another writer may use a wider form than the shortest; the 64-bit form is accepted up to
    // 0x7FFFFFFF.
    const Bytes viaWide16 = Hex("FF FE FF FF 02 00 61 00 62 00");
    const Bytes viaWide32 = Hex("FF FE FF FF FF FF 02 00 00 00 61 00 62 00");
    const Bytes viaWide64 = Hex("FF FE FF FF FF FF FF FF FF FF 02 00 00 00 00 00 00 00 61 00 62 00");
    const Bytes viaNarrow64 = Hex("FF FF FF FF FF FF FF 02 00 00 00 00 00 00 00 61 62");
    for (const Bytes& s : {viaWide16, viaWide32, viaWide64, viaNarrow64}) {
        bool ok = false;
        EXPECT_EQ(DumpOf(Cat({Header(), Le32(1), s, Le32(0)}), &ok), "[ab]\n");
        EXPECT_TRUE(ok);
    }
}

TEST(Archive, NarrowStringsAreDecodedAndWrittenBackAsUnicode) {
    // Group "Caf\xE9" narrow with the 1-byte length, item name narrow with the 16-bit form,
    // item text Unicode.
    const Bytes narrowShort = Hex("04 43 61 66 E9");
    Bytes narrowLong = Hex("FF 2C 01");
    narrowLong.insert(narrowLong.end(), 300, 'z');
    const Bytes file = Cat({Header(), Le32(1), narrowShort, Le32(1), narrowLong, Le32(0), WideShort(u"t")});

    CLibrary lib;
    ASSERT_TRUE(ReadDataArchive(file, lib));
    EXPECT_EQ(lib.Group(0).m_strName, u"Caf\u00E9");
    EXPECT_EQ(lib.Group(0).Item(0).m_strName, std::u16string(300, u'z'));

    const Bytes saved = WriteDataArchive(lib);
    const Bytes expectedStart =
        Cat({Header(), Le32(1), WideShort(u"Caf\u00E9"), Le32(1), Hex("FF FE FF FF 2C 01")});
    ASSERT_GE(saved.size(), expectedStart.size());
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(expectedStart.size())),
              expectedStart);
}

TEST(Archive, NarrowStringsGoThroughTheGivenDecoder) {
    std::vector<std::string> seen;
    const brindlex::NarrowDecoder decoder = [&seen](std::string_view bytes) {
        seen.emplace_back(bytes);
        return std::u16string(u"<") + std::u16string(bytes.size(), u'#') + u">";
    };
    const Bytes file =
        Cat({Header(), Le32(1), Hex("02 C4 8D"), Le32(1), Hex("00"), Le32(0), WideShort(u"w")});
    CLibrary lib;
    ASSERT_TRUE(ReadDataArchive(file, lib, decoder));
    EXPECT_EQ(lib.Group(0).m_strName, u"<##>");
    EXPECT_EQ(lib.Group(0).Item(0).m_strName, u"<>");
    EXPECT_EQ(lib.Group(0).Item(0).m_strText, u"w"); // Unicode strings never reach the decoder
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "\xC4\x8D");
    EXPECT_EQ(seen[1], "");
}

TEST(Archive, ReservedValueIsKeptInMemoryAndWrittenAsZero) {
    const Bytes file = Cat({Header(), Le32(1), WideShort(u"g"), Le32(2), WideShort(u"a"), Le32(7),
                            WideShort(u"1"), WideShort(u"b"), Le32(0xFFFFFFFFu), WideShort(u"2")});
    CLibrary lib;
    ASSERT_TRUE(ReadDataArchive(file, lib));
    EXPECT_EQ(Dump(lib), "[g] {a|7|1} {b|4294967295|2}\n");
    const Bytes expected = Cat({Header(), Le32(1), WideShort(u"g"), Le32(2), WideShort(u"a"), Le32(0),
                                WideShort(u"1"), WideShort(u"b"), Le32(0), WideShort(u"2")});
    EXPECT_EQ(WriteDataArchive(lib), expected);
}

TEST(Archive, HeaderChecks) {
    const Bytes body = Cat({Le32(1), WideShort(u"g"), Le32(0)});
    struct Case {
        const char* what;
        Bytes header;
        bool accepted;
    };
    const Case cases[] = {
        {"schema 1", Header(), true},
        {"schema 2", Hex("FF FF 02 00 05 00 43 44 61 74 61"), true},
        {"schema 0xFFFF", Hex("FF FF FF FF 05 00 43 44 61 74 61"), true},
        {"class tag not FF FF", Hex("FE FF 01 00 05 00 43 44 61 74 61"), false},
        {"class tag of a known class", Hex("01 80 01 00 05 00 43 44 61 74 61"), false},
        {"name in other case", Hex("FF FF 01 00 05 00 63 64 61 74 61"), false},
        {"other name", Hex("FF FF 01 00 05 00 43 44 61 74 62"), false},
        {"name prefix", Hex("FF FF 01 00 04 00 43 44 61 74"), false},
        {"name longer", Hex("FF FF 01 00 06 00 43 44 61 74 61 61"), false},
    };
    for (const Case& c : cases) {
        bool ok = !c.accepted;
        const std::string dump = DumpOf(Cat({c.header, body}), &ok);
        EXPECT_EQ(ok, c.accepted) << c.what;
        EXPECT_EQ(dump, c.accepted ? "[g]\n" : "") << c.what;
        // The header alone tells a library from another file, whatever follows it.
        EXPECT_EQ(HasDataArchiveHeader(c.header), c.accepted) << c.what;
        EXPECT_EQ(HasDataArchiveHeader(Cat({c.header, Hex("01")})), c.accepted) << c.what;
    }
    EXPECT_FALSE(HasDataArchiveHeader(Bytes{}));
    EXPECT_FALSE(HasDataArchiveHeader(Hex("FF FF 01 00 05 00 43 44 61")));

    // A class name of 64 bytes or more is refused even when the bytes are there.
    Bytes longName = Hex("FF FF 01 00 40 00");
    longName.insert(longName.end(), 64, 'C');
    bool ok = true;
    DumpOf(Cat({longName, body}), &ok);
    EXPECT_FALSE(ok);
}

TEST(Archive, CountsBelowOneMeanNone) {
    for (std::uint32_t count : {0u, 0xFFFFFFFFu, 0x80000000u}) {
        bool ok = false;
        EXPECT_EQ(DumpOf(Cat({Header(), Le32(count)}), &ok), "") << count;
        EXPECT_TRUE(ok) << count;

        EXPECT_EQ(DumpOf(Cat({Header(), Le32(1), WideShort(u"g"), Le32(count)}), &ok), "[g]\n") << count;
        EXPECT_TRUE(ok) << count;
    }
}

TEST(Archive, BytesAfterTheLastGroupAreIgnored) {
    bool ok = false;
    EXPECT_EQ(DumpOf(Cat({kWorkedExample, Hex("00 FF FF 13 37")}), &ok), "[A] {x|0|hi}\n");
    EXPECT_TRUE(ok);
}

TEST(Archive, FailureKeepsWhatWasReadWhole) {
    // Two groups; the second is cut inside its second item's text.
    const Bytes full = Cat({Header(), Le32(2), WideShort(u"one"), Le32(1), WideShort(u"a"), Le32(0),
                            WideShort(u"A"), WideShort(u"two"), Le32(3), WideShort(u"b"), Le32(0),
                            WideShort(u"B"), WideShort(u"c"), Le32(0), WideShort(u"CCCC")});
    const Bytes cut(full.begin(), full.end() - 3);
    bool ok = true;
    EXPECT_EQ(DumpOf(cut, &ok), "[one] {a|0|A}\n[two] {b|0|B}\n");
    EXPECT_FALSE(ok);

    // Complete as far as it goes, but the second group claims three items and has two.
    EXPECT_EQ(DumpOf(full, &ok), "[one] {a|0|A}\n[two] {b|0|B} {c|0|CCCC}\n");
    EXPECT_FALSE(ok);

    // A group is there as soon as its name was read, even without its count.
    const Bytes nameOnly = Cat({Header(), Le32(1), WideShort(u"g"), Hex("01 00")});
    EXPECT_EQ(DumpOf(nameOnly, &ok), "[g]\n");
    EXPECT_FALSE(ok);
}

TEST(Archive, TextsRoundTripUnitForUnit) {
    CLibrary lib;
    CPasteGroup& g = lib.AddGroup(u"Same");
    lib.AddGroup(u"Same");
    lib.AddItem(g, u"", 0, u"line 1\r\nline 2\r\n\tTabbed[ENTER][TAB]");
    lib.AddItem(g, u"", 0, u"");
    lib.AddItem(g, u"surrogates \xD83D\xDE00 lone \xD800 and \xFFFF \xFFFE", 0, std::u16string(3, u'\0'));
    CLibrary back;
    ASSERT_TRUE(ReadDataArchive(WriteDataArchive(lib), back));
    EXPECT_EQ(Dump(back), Dump(lib));
    EXPECT_EQ(back.Group(0).Item(0).m_strText, u"line 1\r\nline 2\r\n\tTabbed[ENTER][TAB]");
    EXPECT_EQ(back.Group(0).Item(2).m_strText, std::u16string(3, u'\0'));
}

TEST(Archive, ReadingAppendsToWhatIsThere) {
    CLibrary lib;
    lib.AddGroup(u"before");
    ASSERT_TRUE(ReadDataArchive(kWorkedExample, lib));
    EXPECT_EQ(Dump(lib), "[before]\n[A] {x|0|hi}\n");
}
