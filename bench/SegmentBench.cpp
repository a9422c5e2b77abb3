// Normalise + segment of a large item text beside a plain copy of the same bytes, at 10 MiB and
// 100 MiB: the paste engine's text handling should stay a small multiple of memcpy and linear.
#include "core/paste/Segmentation.h"

#include <benchmark/benchmark.h>

#include <cstring>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>
#include <random>
#include <string>

using namespace brindlex;

namespace {

constexpr std::size_t kBaseBytes = 10u << 20;

// glibc maps every block above 32 MiB afresh and unmaps it on free, so at 100 MiB each iteration
// would mostly measure the kernel zeroing new pages. Keep large blocks in the heap for reuse, as
// at 10 MiB, so that both sizes measure the same work.
#if defined(__GLIBC__)
const bool kLargeBlocksReused = [] {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    return true;
}();
#endif

// Prose of short words with, on average, a '[' every 64 units (half of them real tokens, the rest
// near misses and stray brackets), a CR LF every 64 units and a tab every 200: in 10 MiB some
// 80 000 brackets and as many line breaks.
std::u16string MakeText(std::size_t bytes) {
    static const std::u16string words[] = {u"lorem",     u"ipsum", u"do",          u"sit", u"amet",
                                           u"\u00FCber", u"42",    u"consectetur", u"a",   u"elit"};
    static const std::u16string brackets[] = {u"[TAB]", u"[ENTER]", u"[DEL]",   u"[SHIFT]", u"[note]",
                                              u"[x",    u"[PAGE",   u"[Enter]", u"[",       u"[[ESC]"};
    std::mt19937 rng(7);
    std::u16string text;
    const std::size_t units = bytes / sizeof(char16_t);
    text.reserve(units + 16);
    while (text.size() < units) {
        const unsigned roll = rng() % 128;
        if (roll < 10) {
            text += brackets[rng() % std::size(brackets)];
        } else if (roll < 20) {
            text += u"\r\n";
        } else if (roll < 23) {
            text += u'\t';
        } else {
            text += words[rng() % std::size(words)];
            text += u' ';
        }
    }
    text.resize(units);
    return text;
}

const std::u16string& Text(int scale) {
    static const std::u16string x1 = MakeText(kBaseBytes);
    static const std::u16string x10 = MakeText(10 * kBaseBytes);
    return scale == 1 ? x1 : x10;
}

// Segments normalised text as a paste does, counting what it sends instead of sending it.
void SegmentAndCount(const std::u16string& normalised) {
    std::size_t runUnits = 0;
    std::size_t tokens = 0;
    brindlex::SegmentText(
        normalised,
        [&runUnits](std::u16string_view run) {
            runUnits += run.size();
            return true;
        },
        [&tokens](const brindlex::ControlKey&) {
            ++tokens;
            return true;
        });
    benchmark::DoNotOptimize(runUnits);
    benchmark::DoNotOptimize(tokens);
}

void NormaliseAndSegment(benchmark::State& state) {
    const std::u16string& text = Text(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::u16string normalised = brindlex::NormaliseText(text);
        SegmentAndCount(normalised);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}

void NormaliseOnly(benchmark::State& state) {
    const std::u16string& text = Text(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::u16string normalised = brindlex::NormaliseText(text);
        benchmark::DoNotOptimize(normalised.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}

void SegmentOnly(benchmark::State& state) {
    const std::u16string normalised = brindlex::NormaliseText(Text(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        SegmentAndCount(normalised);
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * normalised.size() * sizeof(char16_t)));
}

void MemcpyOfTheSameBytes(benchmark::State& state) {
    const std::u16string& text = Text(static_cast<int>(state.range(0)));
    const std::size_t bytes = text.size() * sizeof(char16_t);
    for (auto _ : state) {
        // A fresh buffer each time, as the normalised copy is.
        const auto copy = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(copy.get(), text.data(), bytes);
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

} // namespace

BENCHMARK(NormaliseAndSegment)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(NormaliseOnly)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SegmentOnly)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MemcpyOfTheSameBytes)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
