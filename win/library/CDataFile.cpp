#include "win/library/CDataFile.h"

#include "win/framework/MessageBox.h"
#include "win/framework/Win32.h"
#include "win/library/AppDataFolder.h"
#include "core/library/CArchiveException.h"
#include "core/library/DataArchive.h"
#include "win/library/FileIo.h"

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

void ReportWrongDataFile() {
    ShowMessageBox(GetActiveWindow(), u"Wrong data file!", kProgramName, MB_OK);
}

std::u16string DataFilePath(const CData& data) {
    return data.m_strDataFile.empty() ? GetDefaultDataFilePath() : data.m_strDataFile;
}

} // namespace

bool CDataFile::Load(CData& data) {
    const std::u16string path = DataFilePath(data);
    Bytes bytes;
    switch (ReadWholeFile(path, bytes)) {
    case ReadResult::Missing:
        return true; // the first start: no library yet
    case ReadResult::Failed:
        m_unreadDataFile.Keep(path, std::nullopt);
        ReportWrongDataFile();
        return false;
    case ReadResult::Ok:
        break;
    }
    if (!ReadDataArchive(bytes, data.m_library, DecodeThreadAnsi)) {
        // What was read before the fault stays in the library; the file itself is kept whole,
        // since the save at exit replaces it with what the library holds then.
        m_unreadDataFile.Keep(path, std::move(bytes));
        ReportWrongDataFile();
        return false;
    }
    return true;
}

bool CDataFile::Save(const CData& data) {
    const std::u16string path = DataFilePath(data);
    // A file that could not be read and is not kept yet is left as it is, and the library in
    // memory with it: the save fails.
    if (!m_unreadDataFile.MayReplace(path)) {
        ReportWrongDataFile();
        return false;
    }
    Bytes bytes;
    try {
        bytes = WriteDataArchive(data.m_library);
    } catch (const std::bad_alloc&) {
        ReportWrongDataFile();
        return false;
    }
    if (!WriteFileReplacing(path, path + u".bak", bytes)) {
        ReportWrongDataFile();
        return false;
    }
    return true;
}

} // namespace brindlex
