// The bytes of the text export: UTF-16LE with the byte-order mark FF FE, a header, then one
// block per item (separator, item line, separator, text). Every LF becomes CR LF as a text-mode
// file would write it; a CR is written unchanged.
#pragma once

#include "library/Library.h"

#include <cstdint>
#include <vector>

namespace brindlex {

std::vector<std::uint8_t> FormatExportText(const CLibrary& library);

} // namespace brindlex
