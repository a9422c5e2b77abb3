#include "win/library/CUnreadDataFile.h"

#include "win/framework/Win32.h"
#include "win/framework/WideString.h"
#include "win/library/FileIo.h"

namespace brindlex {

namespace {

// Far more than any folder should gather; past it the file is simply not kept.
constexpr int kMaxNumber = 1000;

std::u16string KeptName(const std::u16string& path, int number) {
    std::u16string name = path + u".unread";
    if (number > 0) {
        name += u'.';
        name += U16(std::to_wstring(number));
    }
    return name;
}

bool HoldsExactly(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> existing;
    return ReadWholeFile(path, existing) == ReadResult::Ok && existing == bytes;
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
    return CompareStringOrdinal(W(a), -1, W(b), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

void CUnreadDataFile::Keep(const std::u16string& path, std::optional<std::vector<std::uint8_t>> bytes) {
    m_strPath = path;
    m_bytes = std::move(bytes);
    m_strKeptPath.clear();
    TryKeep();
}

bool CUnreadDataFile::MayReplace(const std::u16string& path) {
    return m_strPath.empty() || TryKeep() || !SamePath(path, m_strPath);
}

bool CUnreadDataFile::TryKeep() {
    if (!m_bytes) {
        std::vector<std::uint8_t> bytes;
        if (ReadWholeFile(m_strPath, bytes) != ReadResult::Ok) {
            return false;
        }
        m_bytes = std::move(bytes);
    }
    for (int number = 0; number < kMaxNumber; ++number) {
        const std::u16string name = KeptName(m_strPath, number);
        DWORD error = 0;
        // A copy that an earlier start kept of the same file is not made twice.
        if (WriteNewFile(name, *m_bytes, &error) ||
            ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && HoldsExactly(name, *m_bytes))) {
            m_strKeptPath = name;
            m_strPath.clear();
            m_bytes.reset();
            return true;
        }
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}

} // namespace brindlex
