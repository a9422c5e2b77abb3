// The data file's contents as bytes: the archive header of one versionable "CData" object
// followed by the library (groups with their items, in order). Platform-free; the Win32 half
// (DataFile.cpp) moves these bytes to and from the disk.
#pragma once

#include "core/library/CArchiveReader.h"
#include "core/library/CLibrary.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brindlex {

using Bytes = std::vector<std::uint8_t>;

// Appends the groups and items of a data file image to `library`, in file order. Returns false
// when the image is not a complete, valid file; what was read before the fault stays in the
// library: a group once its name was read, an item once all three of its fields were read.
// Bytes after the last group are ignored.
bool ReadDataArchive(std::span<const std::uint8_t> bytes, CLibrary& library,
                     const NarrowDecoder& decoder = DecodeLatin1);

// Whether `start`, the first bytes of a file, begin as a data file does: the header of one
// "CData" object. A file cut later, or damaged further in, still counts as a library.
bool HasDataArchiveHeader(std::span<const std::uint8_t> start);

// Exact size of the image WriteDataArchive makes of `library`.
std::size_t DataArchiveSize(const CLibrary& library);

// The image of `library`: every string in the Unicode form and every reserved value 0. May throw
// std::bad_alloc. It is made in `memory` (whatever that holds is dropped): memory already mapped
// spares a large image most of its cost, which lies in the page faults of new memory.
Bytes WriteDataArchive(const CLibrary& library, Bytes memory = {});

} // namespace brindlex
