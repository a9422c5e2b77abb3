// Find over a large library: a query of two words against a memchr of the same bytes (every
// item's name and text, as the library holds them) in the same iterations, "x_memchr" being the
// query's time divided by the scan's; and the same query over ten times the items, "x_time"
// being the ratio of the two times. The second argument 1 puts a word beyond Latin-1 in every
// text, so that every item is searched in 16 bits rather than 8. Opening Find (folding every item
// once) and the first read after a folder moved (the order rebuilt, then the query) are shown
// beside them. 100,000 items of about 335 UTF-16 units each make about 64 MiB of text.
//
//   build/native/bench/core_bench --benchmark_filter=Find
#include "core/find/CaseFold.h"
#include "core/find/CFindResults.h"
#include "core/library/CLibrary.h"

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>

using namespace brindlex;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItemsPerGroup = 500;
constexpr std::u16string_view kQuery = u"gree wor";

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Prose of common words in lines ended by CR LF, some lines starting with a capital, with tabs
// and tokens; "gree" is rare (in about one item of 30), "wor" common (in most items).
std::u16string ItemText(std::mt19937& rng, bool wide) {
    static const char16_t* const kWords[] = {
        u"the",   u"paste", u"snippet", u"into",  u"window", u"folder", u"text",    u"Grüße",   u"line",
        u"world", u"of",    u"and",     u"to",    u"work",   u"send",   u"address", u"[TAB]",   u"phone",
        u"reply", u"thank", u"you",     u"for",   u"your",   u"order",  u"kind",    u"regards", u"we",
        u"will",  u"be",    u"in",      u"touch", u"soon",   u"best",   u"[ENTER]", u"été",     u"number"};
    static const char16_t* const kRare[] = {u"greeting", u"agreed", u"green"};
    const std::size_t units = 170 + rng() % 331; // 170..500, about 335 on average
    std::u16string text;
    text.reserve(units + 16);
    bool lineStart = true;
    while (text.size() < units) {
        std::u16string word = rng() % 1500 == 0 ? kRare[rng() % 3] : kWords[rng() % std::size(kWords)];
        if (wide && text.empty()) {
            word = u"\u0141\u00F3d\u017A"; // Łódź
        }
        if (lineStart && rng() % 2 == 0 && word[0] >= u'a' && word[0] <= u'z') {
            word[0] = static_cast<char16_t>(word[0] - 0x20);
        }
        text += word;
        lineStart = false;
        switch (rng() % 12) {
        case 0:
            text += u"\r\n";
            lineStart = true;
            break;
        case 1:
            text += u'\t';
            break;
        default:
            text += u' ';
        }
    }
    text.resize(units);
    return text;
}

CLibrary& LibraryOf(int items, bool wide) {
    static std::map<std::pair<int, bool>, std::unique_ptr<CLibrary>> built;
    std::unique_ptr<CLibrary>& lib = built[{items, wide}];
    if (!lib) {
        lib = std::make_unique<CLibrary>();
        std::mt19937 rng(11);
        CPasteGroup* group = nullptr;
        for (int i = 0; i < items; ++i) {
            if (i % kItemsPerGroup == 0) {
                group = &lib->AddGroup(u"Group");
            }
            std::u16string name = u"Note ";
            for (const char c : std::to_string(i)) {
                name += static_cast<char16_t>(c);
            }
            lib->AddItem(*group, std::move(name), 0, ItemText(rng, wide));
        }
    }
    return *lib;
}

brindlex::CFindResults& ResultsOf(int items, bool wide) {
    static std::map<std::pair<int, bool>, std::unique_ptr<brindlex::CFindResults>> built;
    std::unique_ptr<brindlex::CFindResults>& results = built[{items, wide}];
    if (!results) {
        results = std::make_unique<brindlex::CFindResults>(LibraryOf(items, wide), brindlex::FoldLatinCase);
    }
    return *results;
}

// Reads every byte of every name and text once, for a byte that is in none of them.
double SecondsOfMemchrScan(const CLibrary& lib, std::size_t& bytes) {
    const Clock::time_point start = Clock::now();
    std::size_t found = 0;
    bytes = 0;
    for (int g = 0; g < lib.GroupCount(); ++g) {
        const CPasteGroup& group = lib.Group(g);
        for (std::size_t i = 0; i < group.ItemCount(); ++i) {
            for (const std::u16string* s : {&group.Item(i).m_strName, &group.Item(i).m_strText}) {
                const std::size_t size = s->size() * sizeof(char16_t);
                found += std::memchr(s->data(), 0x01, size) != nullptr ? 1 : 0;
                bytes += size;
            }
        }
    }
    benchmark::DoNotOptimize(found);
    return SecondsSince(start);
}

double SecondsOfQuery(brindlex::CFindResults& results, int& matches) {
    const Clock::time_point start = Clock::now();
    results.SetQuery(kQuery);
    matches = results.Count();
    benchmark::DoNotOptimize(matches);
    return SecondsSince(start);
}

void BM_FindTwoWords(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const bool wide = state.range(1) != 0;
    brindlex::CFindResults& results = ResultsOf(items, wide);
    double query = 0;
    double scan = 0;
    std::size_t bytes = 0;
    int matches = 0;
    for (auto _ : state) {
        const double seconds = SecondsOfQuery(results, matches);
        state.SetIterationTime(seconds);
        query += seconds;
        scan += SecondsOfMemchrScan(LibraryOf(items, wide), bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["matches"] = matches;
    state.counters["memchr_ms"] = scan * 1000.0 / static_cast<double>(state.iterations());
    state.counters["x_memchr"] = query / scan;
}

// The query over `range(0)` items and over ten times as many, alternately.
void BM_FindTenTimesTheItems(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    brindlex::CFindResults& small = ResultsOf(items, false);
    brindlex::CFindResults& large = ResultsOf(10 * items, false);
    double smallSeconds = 0;
    double largeSeconds = 0;
    int matches = 0;
    for (auto _ : state) {
        smallSeconds += SecondsOfQuery(small, matches);
        const double seconds = SecondsOfQuery(large, matches);
        state.SetIterationTime(seconds);
        largeSeconds += seconds;
    }
    state.counters["small_ms"] = smallSeconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["x_time"] = largeSeconds / smallSeconds;
}

// Bytes of the heap in use, where the C library tells.
std::size_t HeapInUse() {
#if defined(__GLIBC__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

// "x_text": the heap that open results hold, over the bytes of the library's names and texts.
void BM_FindOpen(benchmark::State& state) {
    CLibrary& lib = LibraryOf(static_cast<int>(state.range(0)), state.range(1) != 0);
    std::size_t held = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        brindlex::CFindResults results(lib, brindlex::FoldLatinCase);
        results.SetQuery(kQuery);
        benchmark::DoNotOptimize(results.Count());
        held = HeapInUse() - before;
    }
    std::size_t bytes = 0;
    SecondsOfMemchrScan(lib, bytes);
    state.counters["held_MiB"] = static_cast<double>(held) / (1024.0 * 1024.0);
    state.counters["x_text"] = static_cast<double>(held) / static_cast<double>(bytes);
}

void BM_FindAfterAFolderMoved(benchmark::State& state) {
    CLibrary& lib = LibraryOf(static_cast<int>(state.range(0)), false);
    brindlex::CFindResults& results = ResultsOf(static_cast<int>(state.range(0)), false);
    results.SetQuery(kQuery);
    for (auto _ : state) {
        lib.MoveGroup(0, -1); // a new order of every item, the same text
        benchmark::DoNotOptimize(results.Count());
    }
}

} // namespace

BENCHMARK(BM_FindTwoWords)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindTenTimesTheItems)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindOpen)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAfterAFolderMoved)->Arg(100000)->Unit(benchmark::kMillisecond);
