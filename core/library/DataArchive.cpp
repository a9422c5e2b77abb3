#include "core/library/DataArchive.h"

#include "core/library/CArchiveException.h"
#include "core/library/CArchiveWriter.h"

#include <new>
#include <stdexcept>
#include <string_view>

namespace brindlex {

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kSchema = 1;
constexpr std::string_view kClassName = "CData";
constexpr std::uint16_t kMaxClassNameLength = 64; // exclusive

void ReadHeader(CArchiveReader& ar) {
    if (ar.ReadUInt16() != kNewClassTag) {
        throw CArchiveException("no class description at the start");
    }
    ar.ReadUInt16(); // any schema is read like schema 1
    const std::uint16_t nameLength = ar.ReadUInt16();
    if (nameLength >= kMaxClassNameLength) {
        throw CArchiveException("class name too long");
    }
    const auto name = ar.ReadBytes(nameLength);
    if (std::string_view(reinterpret_cast<const char*>(name.data()), name.size()) != kClassName) {
        throw CArchiveException("not a CData archive");
    }
}

void ReadBody(CArchiveReader& ar, CLibrary& library) {
    // Counts are not trusted for sizing anything: every group and item consumes bytes of the
    // file, so a count larger than the file can hold ends in a read past the end.
    const std::int32_t groupCount = ar.ReadInt32();
    for (std::int32_t g = 0; g < groupCount; ++g) {
        CPasteGroup& group = library.AddGroup(ar.ReadString());
        const std::int32_t itemCount = ar.ReadInt32();
        for (std::int32_t i = 0; i < itemCount; ++i) {
            std::u16string name = ar.ReadString();
            const std::uint32_t reserved = ar.ReadUInt32();
            std::u16string text = ar.ReadString();
            library.AddItem(group, std::move(name), reserved, std::move(text));
        }
    }
}

} // namespace

bool ReadDataArchive(std::span<const std::uint8_t> bytes, CLibrary& library, const NarrowDecoder& decoder) {
    try {
        CArchiveReader ar(bytes, decoder);
        ReadHeader(ar);
        ReadBody(ar, library);
        return true;
    } catch (const CArchiveException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

bool HasDataArchiveHeader(std::span<const std::uint8_t> start) {
    try {
        CArchiveReader ar(start);
        ReadHeader(ar);
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

std::size_t DataArchiveSize(const CLibrary& library) {
    std::size_t size = 2 + 2 + 2 + kClassName.size() + 4;
    for (int g = 0; g < library.GroupCount(); ++g) {
        const CPasteGroup& group = library.Group(g);
        size += CArchiveWriter::StringSize(group.m_strName) + 4;
        for (const auto& item : group.m_arrItems) {
            size +=
                CArchiveWriter::StringSize(item->m_strName) + 4 + CArchiveWriter::StringSize(item->m_strText);
        }
    }
    return size;
}

Bytes WriteDataArchive(const CLibrary& library, Bytes memory) {
    Bytes out = std::move(memory);
    out.clear();
    out.reserve(DataArchiveSize(library));
    CArchiveWriter ar(out);
    ar.WriteUInt16(kNewClassTag);
    ar.WriteUInt16(kSchema);
    ar.WriteUInt16(static_cast<std::uint16_t>(kClassName.size()));
    ar.WriteBytes(kClassName.data(), kClassName.size());
    ar.WriteInt32(library.GroupCount());
    for (int g = 0; g < library.GroupCount(); ++g) {
        const CPasteGroup& group = library.Group(g);
        ar.WriteString(group.m_strName);
        ar.WriteInt32(static_cast<std::int32_t>(group.ItemCount()));
        for (const auto& item : group.m_arrItems) {
            ar.WriteString(item->m_strName);
            ar.WriteUInt32(0); // the reserved value is kept in memory but always stored as 0
            ar.WriteString(item->m_strText);
        }
    }
    return out;
}

} // namespace brindlex
