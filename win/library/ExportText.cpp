#include "win/library/ExportText.h"

#include "win/framework/MessageBox.h"
#include "win/framework/WideString.h"
#include "win/framework/Win32.h"
#include "core/library/ExportFormat.h"
#include "win/library/FileIo.h"

#include <commdlg.h>

#include <new>

namespace brindlex {

std::u16string ExportFailureMessage(const std::u16string& path, const std::u16string& reason) {
    return u"The library could not be exported to the file\r\n" + path + u"\r\n\r\n" + reason;
}

bool ExportText(const CLibrary& library, const std::u16string& path) {
    DWORD error = 0;
    bool ok = false;
    try {
        ok = WriteFileDirect(path, FormatExportText(library), &error);
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (!ok) {
        ShowMessageBox(GetActiveWindow(), ExportFailureMessage(path, SystemErrorText(error)), kProgramName,
                       MB_OK | MB_ICONERROR);
    }
    return ok;
}

void ExportTextToChosenFile(HWND hOwner, const CLibrary& library) {
    wchar_t path[MAX_PATH] = L"Brindlex.txt";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = L"Text files (*.txt)\0*.txt\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"txt";
    // No OFN_FILEMUSTEXIST: the first export goes to a file that does not exist yet.
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetSaveFileNameW(&ofn)) {
        ExportText(library, U16(path));
    }
}

} // namespace brindlex
