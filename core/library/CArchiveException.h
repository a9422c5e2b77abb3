// Raised inside the archive code when a data file cannot be read or written; the outer level
// of a load or save catches it and tells the user "Wrong data file!".
#pragma once

#include <stdexcept>

namespace brindlex {

class CArchiveException : public std::runtime_error {
public:
    explicit CArchiveException(const char* what) : std::runtime_error(what) {}
};

} // namespace brindlex
