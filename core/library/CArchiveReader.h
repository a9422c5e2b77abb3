// Reads the fields of a data file image: little-endian integers and the framework's string
// layout (narrow or Unicode, with its escalating length forms). Every read is checked against
// the bytes that remain before anything is allocated, so a length or count that claims more
// than the file holds fails at once instead of asking for memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace brindlex {

// Turns the bytes of a narrow (8-bit) string into UTF-16. Windows passes the thread's ANSI code
// page; the core's default is Latin-1, where every byte is the code point of the same value.
using NarrowDecoder = std::function<std::u16string(std::string_view)>;

std::u16string DecodeLatin1(std::string_view bytes);

class CArchiveReader {
public:
    explicit CArchiveReader(std::span<const std::uint8_t> bytes, NarrowDecoder decoder = DecodeLatin1);

    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    std::int32_t ReadInt32();
    std::uint64_t ReadUInt64();
    // The next `count` bytes, in place.
    std::span<const std::uint8_t> ReadBytes(std::uint64_t count);
    // One string in either form; narrow strings go through the decoder.
    std::u16string ReadString();

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    std::uint64_t ReadStringLength(bool& wide);
    const std::uint8_t* Take(std::uint64_t count);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    NarrowDecoder m_decoder;
};

} // namespace brindlex
