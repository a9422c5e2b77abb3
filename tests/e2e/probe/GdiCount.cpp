#include "tests/e2e/probe/GdiCount.h"

#include "tests/e2e/probe/ProbeSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace probe {
namespace {

struct GdiHandleEntry { // one entry of that table, as 64-bit Windows and Wine lay it out
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;

// Where the process's PEB is, or nullptr.
void* PebOf(HANDLE process) {
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    struct {
        void* reserved1;
        void* pebBaseAddress;
        void* reserved2[2];
        ULONG_PTR uniqueProcessId;
        void* reserved3;
    } basic{};
    if (!query || query(process, 0 /* ProcessBasicInformation */, &basic, sizeof(basic), nullptr) < 0) {
        return nullptr;
    }
    return basic.pebBaseAddress;
}

// The process's GDI handle table, or an empty one when it cannot be read.
std::vector<GdiHandleEntry> ReadGdiTable(HANDLE process) {
    void* peb = PebOf(process);
    std::uint64_t table = 0;
    SIZE_T got = 0;
    if (!peb ||
        !ReadProcessMemory(process, static_cast<char*>(peb) + kPebGdiTableOffset, &table, sizeof(table),
                           &got) ||
        table == 0) {
        return {};
    }
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<std::uintptr_t>(table)),
                           entries.data(), entries.size() * sizeof(GdiHandleEntry), &got)) {
        return {};
    }
    return entries;
}

bool InUse(const GdiHandleEntry& e) {
    return e.type != 0 && e.object != 0;
}

} // namespace

long CountGdiObjects(HANDLE process) {
    if (const DWORD n = GetGuiResources(process, GR_GDIOBJECTS); n != 0) {
        return static_cast<long>(n);
    }
    const std::vector<GdiHandleEntry> entries = ReadGdiTable(process);
    if (entries.empty()) {
        return -1;
    }
    return static_cast<long>(std::count_if(entries.begin(), entries.end(), InUse));
}

std::string GdiObjectsByType(HANDLE process) {
    // The kind is the entry's extended type (the low 7 bits of its unique field), as Wine's
    // gdi32 sets it; pens and brushes share the plain type. Wine makes one surface with each DC.
    struct Kind {
        std::uint8_t extType;
        const char* name;
    };
    static constexpr Kind kKinds[] = {{0x01, "dc"},      {0x04, "region"}, {0x05, "surface"},
                                      {0x08, "palette"}, {0x09, "bitmap"}, {0x0a, "font"},
                                      {0x10, "brush"},   {0x30, "pen"},    {0x50, "extpen"}};
    const std::vector<GdiHandleEntry> entries = ReadGdiTable(process);
    if (entries.empty()) {
        return {};
    }
    long counts[std::size(kKinds) + 1] = {};
    for (const GdiHandleEntry& e : entries) {
        if (InUse(e)) {
            const auto* kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                            [&](const Kind& k) { return k.extType == (e.unique & 0x7f); });
            ++counts[kind - std::begin(kKinds)];
        }
    }
    std::string text;
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        text += Format("%s %ld ", kKinds[i].name, counts[i]);
    }
    return text + Format("other %ld", counts[std::size(kKinds)]);
}

void CheckGdiCounting() {
    HANDLE self = GetCurrentProcess();
    const long before = CountGdiObjects(self);
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 8; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 1, 2)));
    }
    const long during = CountGdiObjects(self);
    for (HBRUSH b : brushes) {
        DeleteObject(b);
    }
    const long after = CountGdiObjects(self);
    if (before < 0 || during != before + 8 || after != before) {
        char what[96];
        std::snprintf(what, sizeof what, "GDI counting does not follow objects (%ld, %ld, %ld)", before,
                      during, after);
        Fail(what);
    }
}

} // namespace probe
