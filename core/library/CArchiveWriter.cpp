#include "core/library/CArchiveWriter.h"

#include <bit>

namespace brindlex {

void CArchiveWriter::WriteUInt16(std::uint16_t value) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    m_out.insert(m_out.end(), b, b + 2);
}

void CArchiveWriter::WriteUInt32(std::uint32_t value) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                               static_cast<std::uint8_t>(value >> 16),
                               static_cast<std::uint8_t>(value >> 24)};
    m_out.insert(m_out.end(), b, b + 4);
}

void CArchiveWriter::WriteUInt64(std::uint64_t value) {
    WriteUInt32(static_cast<std::uint32_t>(value));
    WriteUInt32(static_cast<std::uint32_t>(value >> 32));
}

void CArchiveWriter::WriteBytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_out.insert(m_out.end(), p, p + size);
}

std::size_t CArchiveWriter::StringLengthSize(std::uint64_t length) {
    if (length < 0xFF) {
        return 1;
    }
    if (length < 0xFFFE) {
        return 3;
    }
    if (length < 0xFFFFFFFFu) {
        return 7;
    }
    return 15;
}

namespace {

// The shortest length form that holds `length`, into `out` (15 bytes at most); returns its size.
// 0xFFFE as a 16-bit length would read as the Unicode marker, so it already takes the 32-bit form.
std::size_t EncodeStringLength(std::uint64_t length, std::uint8_t* out) {
    std::size_t used = 0;
    const auto put = [out, &used](std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out[used++] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    if (length < 0xFF) {
        put(length, 1);
    } else if (length < 0xFFFE) {
        put(0xFF, 1);
        put(length, 2);
    } else if (length < 0xFFFFFFFFu) {
        put(0xFFFFFF, 3);
        put(length, 4);
    } else {
        put(0xFFFFFFFFFFFFFFull, 7);
        put(length, 8);
    }
    return used;
}

} // namespace

void CArchiveWriter::WriteStringLength(std::uint64_t length) {
    std::uint8_t bytes[15];
    WriteBytes(bytes, EncodeStringLength(length, bytes));
}

void CArchiveWriter::WriteString(std::u16string_view text) {
    // The marker and the length go out as one piece: a save is mostly strings, and a vector
    // insert for each of their few bytes costs more than copying the text itself.
    std::uint8_t prefix[3 + 15] = {0xFF, 0xFE, 0xFF};
    WriteBytes(prefix, 3 + EncodeStringLength(text.size(), prefix + 3));
    if constexpr (std::endian::native == std::endian::little) {
        WriteBytes(text.data(), text.size() * 2);
    } else {
        for (const char16_t c : text) {
            WriteUInt16(c);
        }
    }
}

} // namespace brindlex
