#include "library/ArchiveWriter.h"

#include <bit>

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

void CArchiveWriter::WriteStringLength(std::uint64_t length) {
    // The shortest form that holds the length; 0xFFFE as a 16-bit length would read as the
    // Unicode marker, so it already takes the 32-bit form.
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
        return;
    }
    WriteByte(0xFF);
    if (length < 0xFFFE) {
        WriteUInt16(static_cast<std::uint16_t>(length));
        return;
    }
    WriteUInt16(0xFFFF);
    if (length < 0xFFFFFFFFu) {
        WriteUInt32(static_cast<std::uint32_t>(length));
        return;
    }
    WriteUInt32(0xFFFFFFFFu);
    WriteUInt64(length);
}

void CArchiveWriter::WriteString(std::u16string_view text) {
    static constexpr std::uint8_t kUnicodeMarker[3] = {0xFF, 0xFE, 0xFF};
    WriteBytes(kUnicodeMarker, sizeof kUnicodeMarker);
    WriteStringLength(text.size());
    if constexpr (std::endian::native == std::endian::little) {
        WriteBytes(text.data(), text.size() * 2);
    } else {
        for (const char16_t c : text) {
            WriteUInt16(c);
        }
    }
}
