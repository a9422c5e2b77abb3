// A data file that could not be read is kept, byte for byte, beside itself under a name that no
// save replaces: "<file>.unread", or "<file>.unread.1", ".2" ... when that name is taken. It is
// kept as soon as the load fails or, when that cannot be done then, before a save replaces it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindlex {

class CUnreadDataFile {
public:
    // The load of `path` failed: `bytes` is the whole file when it was read but not understood,
    // nothing when it could not be read at all (held by another program, access denied); such a
    // file is read again when it is kept.
    void Keep(const std::u16string& path, std::optional<std::vector<std::uint8_t>> bytes);

    // Whether a save may replace `path`: not while a file there that could not be read is not
    // kept yet. Keeping it is tried once more first.
    bool MayReplace(const std::u16string& path);

    // Where the file was kept; empty while it is not (or when there was none).
    const std::u16string& KeptPath() const { return m_strKeptPath; }

private:
    bool TryKeep();

    std::u16string m_strPath; // the file still to be kept; empty when there is none
    std::optional<std::vector<std::uint8_t>> m_bytes;
    std::u16string m_strKeptPath;
};

} // namespace brindlex
