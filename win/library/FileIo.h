// Whole-file reads and writes for the data file and the export, with one seam over every step
// that changes the disk so that tests can make any of them fail.
#pragma once

#include "win/framework/CScopedOverride.h"
#include "win/framework/Win32.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace brindlex {

// The steps of a write that can fail, in the order a save takes them. OpenInPlace is the open of
// the file itself when no temporary file could be made beside it.
enum class FileStep { Create, Write, Flush, Close, Replace, Move, OpenInPlace };

// Asked before each step; a non-zero result is taken as that step's system error and the step
// is not carried out.
using FileFaultHook = std::function<DWORD(FileStep)>;

enum class ReadResult { Ok, Missing, Failed };

// Reads the whole file. Missing: neither the file nor its folder exists. Failed: anything else
// (error in *error).
ReadResult ReadWholeFile(const std::u16string& path, std::vector<std::uint8_t>& out, DWORD* error = nullptr);

// As ReadWholeFile, but a file that another program holds (a sharing or lock violation, as
// antivirus, sync and backup tools cause for a moment) is tried again for up to `waitMs`.
ReadResult ReadWholeFileWhenFree(const std::u16string& path, std::vector<std::uint8_t>& out, DWORD waitMs,
                                 DWORD* error = nullptr);

// Writes `bytes` to "<path>.tmp" in the same folder, flushes it to the disk and then puts it in
// place of `path`: ReplaceFileW with the old file kept as `backup` (an empty `backup`: none is
// kept), or a move when there is no old file. On failure the old file is as it was, the temporary
// file is gone, and *error holds the system's reason.
// When something of the temporary name is in the way (a read-only leftover, a folder), a name of
// its own in the same folder is taken instead. Where the folder takes no new file or the
// temporary name would be too long, `path` itself is written in place (no backup then); a
// failure there puts the old contents back.
bool WriteFileReplacing(const std::u16string& path, const std::u16string& backup,
                        std::span<const std::uint8_t> bytes, DWORD* error = nullptr);

// Creates or truncates `path` and writes `bytes` into it. A file left incomplete by a failed
// write is removed. On failure *error holds the system's reason.
bool WriteFileDirect(const std::u16string& path, std::span<const std::uint8_t> bytes, DWORD* error = nullptr);

// Creates `path`, which must not exist yet (ERROR_FILE_EXISTS otherwise), and writes `bytes` into
// it down to the disk. A file left incomplete by a failed write is removed.
bool WriteNewFile(const std::u16string& path, std::span<const std::uint8_t> bytes, DWORD* error = nullptr);

// The system's text for an error code, without the trailing line end.
std::u16string SystemErrorText(DWORD error);

// Installs a fault hook for its lifetime (tests); the previous one comes back afterwards.
using CFileFaultScope = CScopedOverride<FileFaultHook, struct FileFaultHookTag>;

} // namespace brindlex
