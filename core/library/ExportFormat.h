// The bytes of the text export: UTF-16LE with the byte-order mark FF FE, a header, then one
// block per item (separator, item line, separator, text). A lone LF becomes CR LF as a text-mode
// file would write it, a CR LF stays one CR LF, and a lone CR is written unchanged.
#pragma once

#include "core/library/CLibrary.h"

#include <cstdint>
#include <vector>

namespace brindlex {

std::vector<std::uint8_t> FormatExportText(const CLibrary& library);

} // namespace brindlex
