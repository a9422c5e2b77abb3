// Fuzz target for Find: the query's words, the word search and the results. Whatever the query
// and the library, the rows must be exactly the items that hold every word in their name or text,
// those with every word in the name first, each part in library order, and they must stay so
// when the library changes under them. The word search must find what a plain search finds.
#include "FuzzInput.h"
#include "core/find/CFindQuery.h"
#include "core/find/CFindResults.h"
#include "core/find/CFoldedItem.h"
#include "core/find/FindExcerpt.h"
#include "core/find/WordSearch.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace brindlex;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        fuzz::Fail("find", what);
    }
}

void CheckWordSearch(std::u16string_view text, std::u16string_view word) {
    Check(FindWord(text, word) == text.find(word), "FindWord (16 bits) differs from a plain search");
    const auto narrowText = NarrowCopy(text);
    const auto narrowWord = NarrowCopy(word);
    if (narrowText && narrowWord) {
        Check(FindWord(std::string_view(*narrowText), std::string_view(*narrowWord)) ==
                  narrowText->find(*narrowWord),
              "FindWord (8 bits) differs from a plain search");
    }
}

// Characters as shown: a surrogate pair is one.
std::size_t ShownLength(std::u16string_view text) {
    std::size_t n = text.size();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] >= 0xDC00 && text[i] <= 0xDFFF && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF) {
            --n;
        }
    }
    return n;
}

struct Expected {
    const CPasteItem* pItem;
    int nGroup;
    int nItem;
    bool bNameMatch;
};

bool HoldsAll(const std::u16string& folded, const std::vector<std::u16string>& words) {
    for (const std::u16string& word : words) {
        if (folded.find(word) == std::u16string::npos) {
            return false;
        }
    }
    return true;
}

// The rows as the rule states them, by a plain search over every item.
std::vector<Expected> PlainResults(const CLibrary& library, const std::vector<std::u16string>& words) {
    std::vector<Expected> inName;
    std::vector<Expected> inText;
    if (words.empty()) {
        return {};
    }
    for (int g = 0; g < library.GroupCount(); ++g) {
        const CPasteGroup& group = library.Group(g);
        for (std::size_t i = 0; i < group.ItemCount(); ++i) {
            const CPasteItem& item = group.Item(i);
            const std::u16string name = FoldLatinCase(item.m_strName);
            const std::u16string text = FoldLatinCase(item.m_strText);
            bool all = true;
            for (const std::u16string& word : words) {
                all = all &&
                      (name.find(word) != std::u16string::npos || text.find(word) != std::u16string::npos);
            }
            if (all) {
                const bool nameOnly = HoldsAll(name, words);
                (nameOnly ? inName : inText).push_back({&item, g, static_cast<int>(i), nameOnly});
            }
        }
    }
    inName.insert(inName.end(), inText.begin(), inText.end());
    return inName;
}

void CheckResults(CLibrary& library, CFindResults& results, const std::vector<std::u16string>& words) {
    const std::vector<Expected> expected = PlainResults(library, words);
    Check(results.Count() == static_cast<int>(expected.size()), "Find shows another number of rows");
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const FindRow row = results.Row(static_cast<int>(r));
        Check(row.pItem == expected[r].pItem, "a row shows another item or another order");
        Check(row.nGroup == expected[r].nGroup && row.nItem == expected[r].nItem,
              "a row's place is not the item's");
        Check(row.bNameMatch == expected[r].bNameMatch, "a row is ranked in the wrong part");
        const std::u16string excerpt = results.Excerpt(static_cast<int>(r));
        Check(ShownLength(excerpt) <= kExcerptLength + 2, "an excerpt is longer than its budget");
    }
    Check(results.Row(static_cast<int>(expected.size())).pItem == nullptr, "a row past the end");
    Check(results.CountLine().empty() == words.empty(), "the count line does not follow the query");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::u16string> pieces = fuzz::Pieces(fuzz::Utf16Text(data, size));
    const std::u16string& queryText = pieces.front();

    // The words: no space in one, none empty, folded, without repeats, in the order typed.
    const CFindQuery query(queryText, FoldLatinCase);
    std::vector<std::u16string> words;
    for (std::u16string_view typed : SplitQueryWords(queryText)) {
        Check(!typed.empty(), "an empty word");
        for (char16_t c : typed) {
            Check(!IsQuerySpace(c), "a word holds a space");
        }
        std::u16string folded = FoldLatinCase(typed);
        if (std::find(words.begin(), words.end(), folded) == words.end()) {
            words.push_back(std::move(folded));
        }
    }
    Check(query.Words().size() == words.size(), "the query has other words");
    for (std::size_t w = 0; w < words.size(); ++w) {
        Check(query.Words()[w].wide == words[w], "a word is not folded as typed");
        Check(query.Words()[w].narrow == NarrowCopy(words[w]), "a word's 8-bit copy is wrong");
    }

    // The library: name and text pieces in turn, dealt to three groups.
    CLibrary library;
    for (int g = 0; g < 3; ++g) {
        library.AddGroup(u"g");
    }
    for (std::size_t p = 1; p + 1 < pieces.size(); p += 2) {
        library.AddItem(library.Group(static_cast<int>(p / 2 % 3)), pieces[p], 0, pieces[p + 1]);
        const std::u16string name = FoldLatinCase(pieces[p]);
        const std::u16string text = FoldLatinCase(pieces[p + 1]);
        std::size_t first = std::u16string::npos;
        for (const std::u16string& word : words) {
            CheckWordSearch(name, word);
            CheckWordSearch(text, word);
            first = std::min(first, text.find(word));
        }
        Check(CFoldedItem(pieces[p], pieces[p + 1], FoldLatinCase).FirstMatchInText(query) == first,
              "the first match in the text is not the earliest word");
    }

    CFindResults results(library, FoldLatinCase);
    results.SetQuery(queryText);
    CheckResults(library, results, words);

    // The library changes while Find is open: an edit, a new item, a deletion, a move.
    if (library.Group(0).ItemCount() > 0) {
        CPasteItem& first = library.Group(0).Item(0);
        library.UpdateItem(first, first.m_strText, first.m_strName);
        CheckResults(library, results, words);
    }
    library.AddItem(library.Group(2), queryText, 0, u"");
    CheckResults(library, results, words);
    library.SelectGroup(1);
    if (library.CurrentItemCount() > 1) {
        library.MoveItem(0, -1);
        library.DeleteItem(0);
        CheckResults(library, results, words);
    }
    library.MoveGroup(2, 0);
    library.DeleteGroup(1);
    CheckResults(library, results, words);
    return 0;
}
