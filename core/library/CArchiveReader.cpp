#include "core/library/CArchiveReader.h"

#include "core/library/CArchiveException.h"

#include <bit>
#include <cstring>

namespace brindlex {

std::u16string DecodeLatin1(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
    }
    return out;
}

CArchiveReader::CArchiveReader(std::span<const std::uint8_t> bytes, NarrowDecoder decoder)
    : m_bytes(bytes), m_decoder(decoder ? std::move(decoder) : NarrowDecoder(DecodeLatin1)) {
}

const std::uint8_t* CArchiveReader::Take(std::uint64_t count) {
    if (count > Remaining()) {
        throw CArchiveException("the data file ends inside a field");
    }
    const std::uint8_t* p = m_bytes.data() + m_pos;
    m_pos += static_cast<std::size_t>(count);
    return p;
}

std::uint8_t CArchiveReader::ReadByte() {
    return *Take(1);
}

std::uint16_t CArchiveReader::ReadUInt16() {
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t CArchiveReader::ReadUInt32() {
    const std::uint8_t* p = Take(4);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t CArchiveReader::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

std::uint64_t CArchiveReader::ReadUInt64() {
    const std::uint64_t low = ReadUInt32();
    const std::uint64_t high = ReadUInt32();
    return low | (high << 32);
}

std::span<const std::uint8_t> CArchiveReader::ReadBytes(std::uint64_t count) {
    const std::uint8_t* p = Take(count);
    return {p, static_cast<std::size_t>(count)};
}

std::uint64_t CArchiveReader::ReadStringLength(bool& wide) {
    // The length escalates through 8, 16, 32 and 64 bits, each wider form announced by the
    // narrower one holding all ones; the Unicode marker is a 16-bit 0xFFFE where a 16-bit
    // length would stand, and the 8-bit length starts again after it.
    wide = false;
    const std::uint8_t b = ReadByte();
    if (b < 0xFF) {
        return b;
    }
    std::uint16_t w = ReadUInt16();
    if (w == 0xFFFE) {
        wide = true;
        const std::uint8_t b2 = ReadByte();
        if (b2 < 0xFF) {
            return b2;
        }
        w = ReadUInt16();
    }
    if (w < 0xFFFF) {
        return w;
    }
    const std::uint32_t d = ReadUInt32();
    if (d < 0xFFFFFFFFu) {
        return d;
    }
    const std::uint64_t q = ReadUInt64();
    if (q > 0x7FFFFFFFu) {
        throw CArchiveException("string length out of range");
    }
    return q;
}

std::u16string CArchiveReader::ReadString() {
    bool wide = false;
    const std::uint64_t length = ReadStringLength(wide);
    if (!wide) {
        const auto bytes = ReadBytes(length);
        return m_decoder(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    // Compare in units, never in bytes: length * 2 could wrap.
    if (length > Remaining() / 2) {
        throw CArchiveException("the data file ends inside a string");
    }
    const auto count = static_cast<std::size_t>(length);
    const std::uint8_t* p = Take(length * 2);
    std::u16string text(count, u'\0');
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(text.data(), p, count * 2);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            text[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        }
    }
    return text;
}

} // namespace brindlex
