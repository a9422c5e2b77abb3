// Whole-file reads and writes for the data file and the export, with one seam over every step
// that changes the disk so that tests can make any of them fail.
#pragma once

#include "framework/Win32.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace brindlex {

// The steps of a write that can fail, in the order a save takes them.
enum class FileStep { Create, Write, Flush, Close, Replace, Move };

// Asked before each step; a non-zero result is taken as that step's system error and the step
// is not carried out.
using FileFaultHook = std::function<DWORD(FileStep)>;

enum class ReadResult { Ok, Missing, Failed };

// Reads the whole file. Missing: neither the file nor its folder exists. Failed: anything else
// (error in *error).
ReadResult ReadWholeFile(const std::u16string& path, std::vector<std::uint8_t>& out, DWORD* error = nullptr);

// Writes `bytes` to "<path>.tmp" in the same folder, flushes it to the disk and then puts it in
// place of `path`: ReplaceFileW with the old file kept as `backup`, or a move when there is no
// old file. On failure the old file is as it was, the temporary file is gone, and *error holds
// the system's reason.
bool WriteFileReplacing(const std::u16string& path, const std::u16string& backup,
                        std::span<const std::uint8_t> bytes, DWORD* error = nullptr);

// Creates or truncates `path` and writes `bytes` into it. A file left incomplete by a failed
// write is removed. On failure *error holds the system's reason.
bool WriteFileDirect(const std::u16string& path, std::span<const std::uint8_t> bytes, DWORD* error = nullptr);

// The system's text for an error code, without the trailing line end.
std::u16string SystemErrorText(DWORD error);

} // namespace brindlex

// Installs a fault hook for its lifetime (tests); the previous one comes back afterwards.
class CFileFaultScope {
public:
    explicit CFileFaultScope(brindlex::FileFaultHook hook);
    ~CFileFaultScope();
    CFileFaultScope(const CFileFaultScope&) = delete;
    CFileFaultScope& operator=(const CFileFaultScope&) = delete;

private:
    brindlex::FileFaultHook m_previous;
};
