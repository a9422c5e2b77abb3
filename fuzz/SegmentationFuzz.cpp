// Fuzz target for the normalisation and the cut of item text into runs and tokens. Whatever the
// text, the normalised copy must be the text with each line break and tab made a token, and the
// pieces handed on must give that copy back, with a token exactly where the table has one and none
// inside a run. A callback that stops the cut must stop it at once.
#include "FuzzInput.h"
#include "core/paste/Segmentation.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace brindlex;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        fuzz::Fail("segmentation", what);
    }
}

// The rule spelt out one unit at a time, to hold the fast version to.
std::u16string PlainNormalise(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            out += u"[ENTER]";
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (text[i] == u'\t') {
            out += u"[TAB]";
        } else {
            out += text[i];
        }
    }
    return out;
}

const ControlKey* PlainMatch(std::u16string_view text, std::size_t pos) {
    for (const ControlKey& key : kControlKeys) {
        if (text.substr(pos).starts_with(key.text)) {
            return &key;
        }
    }
    return nullptr;
}

struct Piece {
    bool isToken = false;
    std::size_t start = 0; // in the normalised text
    std::u16string_view run;
    const ControlKey* key = nullptr;
};

void CheckTable() {
    for (const ControlKey& key : kControlKeys) {
        Check(ControlKeyByText(key.text) == &key, "a token is not found by its text");
        Check(ControlKeyByCode(key.code) == &key, "a token is not found by its code");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool tableChecked = (CheckTable(), true);
    (void)tableChecked;
    if (size == 0) {
        return 0;
    }
    const std::u16string text = fuzz::Utf16Text(data + 1, size - 1);
    const std::u16string normalised = NormaliseText(text);
    Check(normalised == PlainNormalise(text), "the normalised text breaks the line-break and tab rule");

    // Every position: the matcher and the search for the next token agree with the table.
    std::vector<const ControlKey*> match(normalised.size() + 1, nullptr);
    for (std::size_t pos = 0; pos <= normalised.size(); ++pos) {
        match[pos] = PlainMatch(normalised, pos);
        Check(MatchControlKey(normalised, pos) == match[pos], "MatchControlKey differs from the table");
    }
    // The search from every position would be quadratic in a text without tokens; the first
    // positions, the one after each token and every seventh keep each case and stay linear.
    std::size_t next = std::u16string::npos;
    for (std::size_t pos = normalised.size() + 1; pos-- > 0;) {
        if (match[pos] != nullptr) {
            next = pos;
        }
        const bool afterToken = pos > 0 && match[pos - 1] != nullptr;
        if (pos > 16 && !afterToken && pos % 7 != 0) {
            continue;
        }
        const ControlKey* key = nullptr;
        const std::size_t found = FindNextControlKey(normalised, pos, key);
        Check(found == next, "FindNextControlKey misses the next token");
        Check(found == std::u16string::npos || key == match[found], "FindNextControlKey names another token");
    }

    // The whole cut: the pieces give the text back, runs hold no token, no empty final run.
    std::vector<Piece> pieces;
    std::size_t at = 0;
    const bool whole = SegmentText(
        normalised,
        [&](std::u16string_view run) {
            Check(run.data() == normalised.data() + at, "a run is not where the previous piece ended");
            pieces.push_back({false, at, run, nullptr});
            at += run.size();
            return true;
        },
        [&](const ControlKey& key) {
            Check(match[at] == &key, "a token is handed on where the text holds another");
            pieces.push_back({true, at, {}, &key});
            at += key.text.size();
            return true;
        });
    Check(whole, "the cut stopped though no callback asked");
    Check(at == normalised.size(), "the pieces do not cover the text");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        if (piece.isToken) {
            Check(i > 0 && !pieces[i - 1].isToken, "a token without the run before it");
            continue;
        }
        for (std::size_t p = piece.start; p < piece.start + piece.run.size(); ++p) {
            Check(match[p] == nullptr, "a run holds a token");
        }
        Check(!piece.run.empty() || i + 1 < pieces.size(), "an empty final run was handed on");
    }

    // Stopping: the callback that says no is the last one called.
    const std::size_t stopAt = pieces.empty() ? 0 : data[0] % pieces.size();
    std::size_t calls = 0;
    const auto step = [&] { return calls++ != stopAt; };
    const bool finished = SegmentText(
        normalised, [&](std::u16string_view) { return step(); }, [&](const ControlKey&) { return step(); });
    Check(finished == pieces.empty(), "the cut did not report that it was stopped");
    Check(calls == (pieces.empty() ? 0 : stopAt + 1), "the cut went on after a callback said stop");
    return 0;
}
