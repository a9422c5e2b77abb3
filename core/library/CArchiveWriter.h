// Writes the fields of a data file image: little-endian integers and strings, every string in
// the Unicode form (marker FF FE FF, the shortest length form, UTF-16LE units).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace brindlex {

class CArchiveWriter {
public:
    explicit CArchiveWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    void WriteByte(std::uint8_t value) { m_out.push_back(value); }
    void WriteUInt16(std::uint16_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }
    void WriteUInt64(std::uint64_t value);
    void WriteBytes(const void* data, std::size_t size);
    void WriteStringLength(std::uint64_t length);
    void WriteString(std::u16string_view text);

    // Bytes taken by WriteStringLength / WriteString, so that a whole file can be sized first.
    static std::size_t StringLengthSize(std::uint64_t length);
    static std::size_t StringSize(std::u16string_view text) {
        return 3 + StringLengthSize(text.size()) + text.size() * 2;
    }

private:
    std::vector<std::uint8_t>& m_out;
};

} // namespace brindlex
