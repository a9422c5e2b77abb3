#include "win/library/CDataFile.h"

#include "win/framework/MessageBox.h"
#include "win/framework/Win32.h"
#include "win/library/AppDataFolder.h"
#include "core/library/CArchiveException.h"
#include "core/library/DataArchive.h"
#include "win/library/FileIo.h"
#include "win/framework/WideString.h"

#include <new>

namespace brindlex {

namespace {

// Narrow strings of older files are in the ANSI code page of the thread that reads them.
std::u16string DecodeThreadAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) {
        throw CArchiveException("narrow string not in the code page");
    }
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

} // namespace

int CDataFile::TellWrongDataFile(unsigned buttons) {
    return ShowMessageBox(GetActiveWindow(), u"Wrong data file!", kProgramName, buttons);
}

std::u16string CDataFile::PathOf(const CData& data) {
    return data.m_strDataFile.empty() ? GetDefaultDataFilePath() : data.m_strDataFile;
}

bool CDataFile::SamePath(const std::u16string& a, const std::u16string& b) {
    return CompareStringOrdinal(W(a), -1, W(b), -1, TRUE) == CSTR_EQUAL;
}

bool CDataFile::CouldNotBeRead(const CData& data) const {
    return !m_strUnreadablePath.empty() && SamePath(PathOf(data), m_strUnreadablePath);
}

bool CDataFile::Load(CData& data) {
    const std::u16string path = PathOf(data);
    m_strUnreadablePath.clear();
    Bytes bytes;
    switch (ReadWholeFileWhenFree(path, bytes, kHeldFileWaitMs)) {
    case ReadResult::Missing:
        return true; // the first start: no library yet
    case ReadResult::Failed:
        m_strUnreadablePath = path;
        m_unreadDataFile.Keep(path, std::nullopt);
        TellWrongDataFile(MB_OK);
        return false;
    case ReadResult::Ok:
        break;
    }
    if (!ReadDataArchive(bytes, data.m_library, DecodeThreadAnsi)) {
        // What was read before the fault stays in the library; the file itself is kept whole,
        // since the next save replaces it with what the library holds then.
        m_unreadDataFile.Keep(path, std::move(bytes));
        TellWrongDataFile(MB_OK);
        return false;
    }
    return true;
}

std::optional<CDataFile::PreparedSave> CDataFile::PrepareSave(const CData& data, bool keepBackup,
                                                              Bytes memory) {
    PreparedSave save;
    save.path = PathOf(data);
    // A file that could not be read and is not kept yet is left as it is, and the library in
    // memory with it: the save fails.
    if (!m_unreadDataFile.MayReplace(save.path)) {
        return std::nullopt;
    }
    try {
        save.bytes = WriteDataArchive(data.m_library, std::move(memory));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (keepBackup) {
        save.backup = save.path + u".bak";
    }
    return save;
}

bool CDataFile::Write(const PreparedSave& save) {
    return WriteFileReplacing(save.path, save.backup, save.bytes);
}

bool CDataFile::Save(const CData& data, bool keepBackup) {
    const std::optional<PreparedSave> save = PrepareSave(data, keepBackup);
    return save && Write(*save);
}

} // namespace brindlex
