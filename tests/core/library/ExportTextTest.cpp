// The bytes of the text export.
#include "core/library/ExportFormat.h"

#include <gtest/gtest.h>

using namespace brindlex;

namespace {

// UTF-16LE bytes of an ASCII-or-BMP string, with no line-end translation: the expectation is
// written with its CR LF pairs spelled out.
std::vector<std::uint8_t> Le(const std::u16string& s) {
    std::vector<std::uint8_t> out;
    for (char16_t c : s) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

std::vector<std::uint8_t> WithBom(const std::u16string& s) {
    std::vector<std::uint8_t> out = {0xFF, 0xFE};
    const auto body = Le(s);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

const std::u16string kSep = std::u16string(79, u'-') + u"\r\n";
const std::u16string kHead = u"Brindlex exported data.\r\n\r\n";

std::u16string Block(const std::u16string& item, const std::u16string& group, const std::u16string& text) {
    return kSep + u"Item: \"" + item + u"\" (group \"" + group + u"\")\r\n" + kSep + u"String:\r\n" + text +
           u"\r\n\r\n";
}

} // namespace

TEST(ExportText, EmptyLibraryIsBomAndHeader) {
    CLibrary lib;
    const auto bytes = brindlex::FormatExportText(lib);
    EXPECT_EQ(bytes, WithBom(kHead));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2], 'B');
    EXPECT_EQ(bytes[3], 0);
}

TEST(ExportText, OneItemIsEightLines) {
    CLibrary lib;
    lib.AddItem(lib.AddGroup(u"Work"), u"Sig", 0, u"Bye");
    const std::u16string expected = u"Brindlex exported data.\r\n"
                                    u"\r\n" +
                                    kSep + u"Item: \"Sig\" (group \"Work\")\r\n" + kSep +
                                    u"String:\r\n"
                                    u"Bye\r\n"
                                    u"\r\n";
    EXPECT_EQ(brindlex::FormatExportText(lib), WithBom(expected));
}

TEST(ExportText, BlocksFollowLibraryOrderAndEmptyGroupsWriteNothing) {
    CLibrary lib;
    CPasteGroup& g1 = lib.AddGroup(u"G1");
    lib.AddGroup(u"Empty");
    CPasteGroup& g3 = lib.AddGroup(u"G3");
    lib.AddItem(g1, u"a", 0, u"1");
    lib.AddItem(g1, u"b", 0, u"2");
    lib.AddItem(g3, u"c", 9, u"3");
    EXPECT_EQ(brindlex::FormatExportText(lib), WithBom(kHead + Block(u"a", u"G1", u"1") +
                                                       Block(u"b", u"G1", u"2") + Block(u"c", u"G3", u"3")));
}

TEST(ExportText, TextIsInsertedLiterallyWithLoneLfBecomingCrLf) {
    CLibrary lib;
    CPasteGroup& g = lib.AddGroup(u"100% \"q\" %s");
    lib.AddItem(g, u"50% off %d", 0, u"a\nb");
    lib.AddItem(g, u"", 0, u"a\r\nb"); // CR LF stays one line end
    lib.AddItem(g, u"tokens", 0, u"[TAB]x\ty\rz\n\n");
    lib.AddItem(g, u"empty", 0, u"");
    lib.AddItem(g, u"line\nname", 0, u"\xD83D\xDE00"); // an LF in a name is translated too
    lib.AddItem(g, u"mixed\r\n", 0, u"\r\r\n\n\r\n\r");
    lib.AddItem(g, u"edges", 0, u"\ntext ends with CR\r"); // the layout's own line end follows
    const std::u16string group = u"100% \"q\" %s";
    EXPECT_EQ(brindlex::FormatExportText(lib),
              WithBom(kHead + Block(u"50% off %d", group, u"a\r\nb") + Block(u"", group, u"a\r\nb") +
                      Block(u"tokens", group, u"[TAB]x\ty\rz\r\n\r\n") + Block(u"empty", group, u"") +
                      Block(u"line\r\nname", group, u"\xD83D\xDE00") +
                      Block(u"mixed\r\n", group, u"\r\r\n\r\n\r\n\r") +
                      Block(u"edges", group, u"\r\ntext ends with CR\r")));
    const auto bytes = brindlex::FormatExportText(lib);
    EXPECT_EQ(bytes.capacity(), bytes.size())
        << "the size reserved in advance counts the line ends as written";
}
