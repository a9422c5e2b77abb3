#include "win/library/FileIo.h"

#include "win/framework/WideString.h"
#include "win/library/CFileHandle.h"

#include <algorithm>
#include <new>

namespace brindlex {

namespace {

// Whether a step may go ahead; a refused step leaves the injected error as the last error.
bool Allowed(FileStep step) {
    if (const FileFaultHook& hook = CFileFaultScope::Current()) {
        const DWORD error = hook(step);
        if (error != 0) {
            SetLastError(error);
            return false;
        }
    }
    return true;
}

// Large files go out in pieces; a piece stays well inside what one WriteFile takes.
constexpr std::size_t kWriteChunk = 1 << 20;
constexpr std::size_t kReadChunk = 1 << 30;

// `askFault` false: a write that puts old contents back, which the fault seam does not stop.
bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes, bool askFault = true) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto piece = static_cast<DWORD>(std::min(kWriteChunk, bytes.size() - done));
        if (askFault && !Allowed(FileStep::Write)) {
            return false;
        }
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) {
            return false;
        }
        if (written != piece) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += piece;
    }
    return true;
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
}

void SetError(DWORD* error, DWORD value) {
    if (error != nullptr) {
        *error = value;
    }
}

// The rest of an open file from its current position, which is its start.
bool ReadAll(HANDLE file, std::vector<std::uint8_t>& out, DWORD* error) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        SetError(error, GetLastError());
        return false;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > out.max_size()) {
        SetError(error, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    try {
        out.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        SetError(error, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const auto piece = static_cast<DWORD>(std::min(kReadChunk, out.size() - done));
        DWORD read = 0;
        if (!ReadFile(file, out.data() + done, piece, &read, nullptr)) {
            SetError(error, GetLastError());
            return false;
        }
        if (read == 0) {
            SetError(error, ERROR_HANDLE_EOF); // shorter than its size said
            return false;
        }
        done += read;
    }
    return true;
}

bool Rewind(HANDLE file) {
    return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) != FALSE;
}

// Reasons a temporary file beside the data file cannot be made while the data file itself may
// still be written: the folder takes no new names, or "<name>.tmp" is past a length limit (Wine
// says "file not found" for a name longer than the file system takes).
bool FolderOrNameRefusesNewFile(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_NAME:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return true;
    default:
        return false;
    }
}

// Overwrites `path` from its start with `bytes` and cuts it there. The old contents are read
// first: when the write fails (a full disk as the file grows), they are written back into the
// room they had; a file that did not exist before is removed.
bool WriteInPlace(const std::u16string& path, std::span<const std::uint8_t> bytes) {
    if (!Allowed(FileStep::OpenInPlace)) {
        return false;
    }
    CFileHandle file(CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        return false;
    }
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    std::vector<std::uint8_t> old;
    if (!ReadAll(file.Get(), old, nullptr)) {
        return false;
    }
    if (Rewind(file.Get()) && WriteAll(file.Get(), bytes) && SetEndOfFile(file.Get()) &&
        Allowed(FileStep::Flush) && FlushFileBuffers(file.Get()) && Allowed(FileStep::Close) &&
        file.Close()) {
        return true;
    }
    const DWORD e = GetLastError();
    if (existed) {
        if (Rewind(file.Get()) && WriteAll(file.Get(), old, false) && SetEndOfFile(file.Get())) {
            FlushFileBuffers(file.Get());
        }
        file.Close();
    } else {
        file.Close();
        DeleteFileW(W(path));
    }
    SetLastError(e);
    return false;
}

// Creates `path` with `disposition`, writes `bytes` and closes it, down to the disk when `flush`.
// A file left incomplete is removed.
bool WriteWholeFile(const std::u16string& path, DWORD disposition, bool flush,
                    std::span<const std::uint8_t> bytes, DWORD* error) {
    SetError(error, 0);
    bool created = false;
    const bool ok = [&] {
        if (!Allowed(FileStep::Create)) {
            return false;
        }
        CFileHandle file(CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
            return false;
        }
        created = true;
        return WriteAll(file.Get(), bytes) &&
               (!flush || (Allowed(FileStep::Flush) && FlushFileBuffers(file.Get()))) &&
               Allowed(FileStep::Close) && file.Close();
    }();
    if (ok) {
        return true;
    }
    const DWORD e = GetLastError();
    SetError(error, e);
    if (created) {
        DeleteFileW(W(path)); // an incomplete file would look like a whole one
    }
    SetLastError(e);
    return false;
}

// How often a file held by another program is looked at again.
constexpr DWORD kHeldFileRetryMs = 50;

// Distinct tries at a temporary name of its own before the save gives up.
constexpr int kUniqueNameTries = 100;

// A temporary name beside `path` that no other save of this or another process takes.
std::u16string UniqueTemporaryName(const std::u16string& path, int attempt) {
    return path + u"." + U16(std::to_wstring(GetCurrentProcessId())) + u"-" + U16(std::to_wstring(attempt)) +
           u".tmp";
}

// The temporary file beside `path`, made empty: "<path>.tmp", or a name of its own when
// something of that name is in the way (a read-only leftover, a folder). `temp` gets the name.
// `refused` tells a folder or name that takes no new file at all, where the file itself must be
// written in place.
CFileHandle CreateTemporaryFile(const std::u16string& path, std::u16string& temp, bool& refused) {
    const auto create = [](const std::u16string& name, DWORD disposition) {
        if (!Allowed(FileStep::Create)) {
            return CFileHandle();
        }
        return CFileHandle(
            CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    temp = path + u".tmp";
    refused = false;
    CFileHandle file = create(temp, CREATE_ALWAYS);
    if (file.IsValid()) {
        return file;
    }
    DWORD e = GetLastError();
    if (FolderOrNameRefusesNewFile(e) && Exists(temp)) {
        for (int attempt = 1; attempt <= kUniqueNameTries; ++attempt) {
            const std::u16string unique = UniqueTemporaryName(path, attempt);
            CFileHandle own = create(unique, CREATE_NEW);
            if (own.IsValid()) {
                temp = unique;
                return own;
            }
            e = GetLastError();
            if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) {
                break;
            }
        }
    }
    refused = FolderOrNameRefusesNewFile(e);
    SetLastError(e);
    return CFileHandle();
}

} // namespace

ReadResult ReadWholeFile(const std::u16string& path, std::vector<std::uint8_t>& out, DWORD* error) {
    out.clear();
    SetError(error, 0);
    CFileHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid()) {
        const DWORD e = GetLastError();
        SetError(error, e);
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                      : ReadResult::Failed;
    }
    return ReadAll(file.Get(), out, error) ? ReadResult::Ok : ReadResult::Failed;
}

bool WriteFileReplacing(const std::u16string& path, const std::u16string& backup,
                        std::span<const std::uint8_t> bytes, DWORD* error) {
    SetError(error, 0);
    std::u16string temp;
    bool created = false;
    bool refused = false;
    const bool written = [&] {
        CFileHandle file = CreateTemporaryFile(path, temp, refused);
        if (!file.IsValid()) {
            return false;
        }
        created = true;
        // On the disk before it takes the old file's place, so that a crash leaves one whole file.
        return WriteAll(file.Get(), bytes) && Allowed(FileStep::Flush) && FlushFileBuffers(file.Get()) &&
               Allowed(FileStep::Close) && file.Close();
    }();
    if (refused) {
        if (WriteInPlace(path, bytes)) {
            return true;
        }
        SetError(error, GetLastError());
        return false;
    }

    bool placed = false;
    if (written) {
        if (Exists(path)) {
            const wchar_t* kept = backup.empty() ? nullptr : W(backup);
            placed = Allowed(FileStep::Replace) &&
                     ReplaceFileW(W(path), W(temp), kept, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
            if (!placed) {
                const DWORD e = GetLastError();
                // ReplaceFileW can fail after it has renamed the old file to the backup name
                // (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2): give it its name back.
                if (kept != nullptr && !Exists(path) && Exists(backup)) {
                    MoveFileExW(W(backup), W(path), MOVEFILE_WRITE_THROUGH);
                }
                SetLastError(e);
            }
        } else {
            placed = Allowed(FileStep::Move) && MoveFileExW(W(temp), W(path), MOVEFILE_WRITE_THROUGH);
        }
    }
    if (placed) {
        return true;
    }
    SetError(error, GetLastError());
    if (created) {
        DeleteFileW(W(temp));
    }
    return false;
}

ReadResult ReadWholeFileWhenFree(const std::u16string& path, std::vector<std::uint8_t>& out, DWORD waitMs,
                                 DWORD* error) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        DWORD e = 0;
        const ReadResult result = ReadWholeFile(path, out, &e);
        SetError(error, e);
        const bool held = e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION;
        if (result != ReadResult::Failed || !held || GetTickCount64() >= deadline) {
            return result;
        }
        Sleep(kHeldFileRetryMs);
    }
}

bool WriteFileDirect(const std::u16string& path, std::span<const std::uint8_t> bytes, DWORD* error) {
    return WriteWholeFile(path, CREATE_ALWAYS, false, bytes, error);
}

bool WriteNewFile(const std::u16string& path, std::span<const std::uint8_t> bytes, DWORD* error) {
    return WriteWholeFile(path, CREATE_NEW, true, bytes, error);
}

std::u16string SystemErrorText(DWORD error) {
    wchar_t buffer[1024];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                             buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ')) {
        --n;
    }
    if (n == 0) {
        return u"Error " + U16(std::to_wstring(error));
    }
    return U16(buffer, n);
}

} // namespace brindlex
