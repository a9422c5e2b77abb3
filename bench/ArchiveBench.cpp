// Saving, loading and exporting a large library, each measured against a plain memcpy of the
// same number of bytes in the same run: "x_memcpy" is the operation's time divided by that of a
// copy between two buffers already mapped, "x_new_memcpy" by that of a copy into newly allocated
// memory, and "faults_per_MiB" shows how much of the operation's memory was new (256 per MiB is
// all of it, in 4 KiB pages). The argument is the number of items; 100,000 items of about 335
// UTF-16 units each make about 64 MiB of text.
//
//   build/native/bench/core_bench --benchmark_filter=Archive
#include "core/library/DataArchive.h"
#include "core/library/ExportFormat.h"
#include "core/library/CLibrary.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace brindlex;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItemsPerGroup = 1000;
constexpr double kMiB = 1024.0 * 1024.0;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Page faults of the process so far: new memory is paid for in faults, and on a virtual machine
// they can cost more than the copying itself, so each benchmark shows how many it took.
long PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// Five lines of 65 characters, each ended by CR LF, as the editor stores them: 335 units.
std::u16string ItemText(int n) {
    static const char16_t* const kWords[] = {u"paste ",  u"the ",    u"snippet ", u"into ",  u"[TAB]",
                                             u"window ", u"folder ", u"text ",    u"Grüße ", u"line "};
    std::u16string text;
    text.reserve(335);
    for (int line = 0; line < 5; ++line) {
        std::u16string row;
        for (int w = n + line; row.size() < 65; w = w * 7 + 3) {
            row += kWords[static_cast<unsigned>(w) % 10];
        }
        row.resize(65);
        text += row;
        text += u"\r\n";
    }
    return text;
}

const CLibrary& LibraryOf(int items) {
    static std::map<int, std::unique_ptr<CLibrary>> built;
    std::unique_ptr<CLibrary>& lib = built[items];
    if (!lib) {
        lib = std::make_unique<CLibrary>();
        CPasteGroup* group = nullptr;
        for (int i = 0; i < items; ++i) {
            if (i % kItemsPerGroup == 0) {
                group = &lib->AddGroup(
                    u"Group " + std::u16string(1, static_cast<char16_t>(u'A' + i / kItemsPerGroup % 26)));
            }
            std::u16string name = u"Item ";
            for (const char c : std::to_string(i)) {
                name += static_cast<char16_t>(c);
            }
            lib->AddItem(*group, std::move(name), 0, ItemText(i));
        }
    }
    return *lib;
}

const brindlex::Bytes& ImageOf(int items) {
    static std::map<int, brindlex::Bytes> images;
    brindlex::Bytes& image = images[items];
    if (image.empty()) {
        image = brindlex::WriteDataArchive(LibraryOf(items));
    }
    return image;
}

// The floors: copying the same bytes between two buffers that are already mapped, and into a
// buffer allocated for the copy, as a save or an export must make its image in new memory
// (where the system's page faults are part of the price).
class CMemcpyFloor {
public:
    explicit CMemcpyFloor(std::size_t bytes) : m_from(bytes, 0x5A), m_to(bytes, 0) {}

    double Seconds() {
        const Clock::time_point start = Clock::now();
        std::memcpy(m_to.data(), m_from.data(), m_from.size());
        benchmark::ClobberMemory();
        return SecondsSince(start);
    }

    double SecondsIntoNewMemory() const {
        const Clock::time_point start = Clock::now();
        auto to = std::make_unique_for_overwrite<std::uint8_t[]>(m_from.size());
        std::memcpy(to.get(), m_from.data(), m_from.size());
        benchmark::DoNotOptimize(to.get());
        benchmark::ClobberMemory();
        const double seconds = SecondsSince(start);
        to.reset(); // freeing is not timed, as it is not for the operations
        return seconds;
    }

private:
    std::vector<std::uint8_t> m_from;
    std::vector<std::uint8_t> m_to;
};

// Sums of one benchmark's times: the operation and both floors, over the same iterations.
struct Times {
    double operation = 0;
    double copy = 0;
    double copyIntoNew = 0;
    long faults = 0;

    void Add(benchmark::State& state, double seconds, long faultsBefore, CMemcpyFloor& floor) {
        faults += PageFaults() - faultsBefore;
        state.SetIterationTime(seconds);
        operation += seconds;
        copy += floor.Seconds();
        copyIntoNew += floor.SecondsIntoNewMemory();
    }
};

void Report(benchmark::State& state, std::size_t bytes, const Times& t) {
    const double n = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["MiB"] = static_cast<double>(bytes) / kMiB;
    state.counters["memcpy_ms"] = t.copy * 1000.0 / n;
    state.counters["new_memcpy_ms"] = t.copyIntoNew * 1000.0 / n;
    state.counters["x_memcpy"] = t.operation / t.copy;
    state.counters["x_new_memcpy"] = t.operation / t.copyIntoNew;
    state.counters["faults_per_MiB"] =
        static_cast<double>(t.faults) / n / (static_cast<double>(bytes) / kMiB);
}

void BM_ArchiveSave(benchmark::State& state) {
    const CLibrary& lib = LibraryOf(static_cast<int>(state.range(0)));
    const std::size_t bytes = brindlex::DataArchiveSize(lib);
    CMemcpyFloor floor(bytes);
    Times times;
    for (auto _ : state) {
        const long faults = PageFaults();
        const Clock::time_point start = Clock::now();
        brindlex::Bytes image = brindlex::WriteDataArchive(lib);
        benchmark::DoNotOptimize(image.data());
        const double seconds = SecondsSince(start);
        times.Add(state, seconds, faults, floor);
    }
    Report(state, bytes, times);
}

void BM_ArchiveLoad(benchmark::State& state) {
    const brindlex::Bytes& image = ImageOf(static_cast<int>(state.range(0)));
    CMemcpyFloor floor(image.size());
    Times times;
    for (auto _ : state) {
        CLibrary lib; // freed after the timed part
        const long faults = PageFaults();
        const Clock::time_point start = Clock::now();
        const bool ok = brindlex::ReadDataArchive(image, lib);
        benchmark::DoNotOptimize(ok);
        const double seconds = SecondsSince(start);
        if (!ok) {
            state.SkipWithError("the image does not read back");
            break;
        }
        times.Add(state, seconds, faults, floor);
    }
    Report(state, image.size(), times);
}

void BM_ArchiveExport(benchmark::State& state) {
    const CLibrary& lib = LibraryOf(static_cast<int>(state.range(0)));
    const std::size_t bytes = brindlex::FormatExportText(lib).size();
    CMemcpyFloor floor(bytes);
    Times times;
    for (auto _ : state) {
        const long faults = PageFaults();
        const Clock::time_point start = Clock::now();
        std::vector<std::uint8_t> text = brindlex::FormatExportText(lib);
        benchmark::DoNotOptimize(text.data());
        const double seconds = SecondsSince(start);
        times.Add(state, seconds, faults, floor);
    }
    Report(state, bytes, times);
}

// x1 and x10 of the 64 MiB library. The warm-up keeps the first touch of fresh memory, which
// costs far more than later ones on a virtual machine, out of the figures.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100000)
        ->Arg(1000000)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinWarmUpTime(0.5)
        ->MinTime(2.0);
}

} // namespace

BENCHMARK(BM_ArchiveSave)->Apply(Sizes);
BENCHMARK(BM_ArchiveLoad)->Apply(Sizes);
BENCHMARK(BM_ArchiveExport)->Apply(Sizes);
