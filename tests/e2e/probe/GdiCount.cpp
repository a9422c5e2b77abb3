#include "tests/e2e/probe/GdiCount.h"

#include "tests/e2e/probe/ProbeSupport.h"

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

} // namespace

long CountGdiObjects(HANDLE process) {
    if (const DWORD n = GetGuiResources(process, GR_GDIOBJECTS); n != 0) {
        return static_cast<long>(n);
    }
    void* peb = PebOf(process);
    if (!peb) {
        return -1;
    }
    std::uint64_t table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(peb) + kPebGdiTableOffset, &table, sizeof(table),
                           &got) ||
        table == 0) {
        return -1;
    }
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<std::uintptr_t>(table)),
                           entries.data(), entries.size() * sizeof(GdiHandleEntry), &got)) {
        return -1;
    }
    long used = 0;
    for (const GdiHandleEntry& e : entries) {
        used += (e.type != 0 && e.object != 0) ? 1 : 0;
    }
    return used;
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
