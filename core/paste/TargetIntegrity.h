// Windows does not let a program type into one that runs at a higher integrity level (an
// elevated program): the key events are dropped there, so such a paste would only half happen.
#pragma once

#include <optional>

namespace brindlex {

// Integrity levels as the system numbers them (the last part of the mandatory label).
inline constexpr unsigned kIntegrityMedium = 0x2000;
inline constexpr unsigned kIntegrityHigh = 0x3000;

// Whether a paste may go into the target. An empty level could not be read. The target's level
// is unreadable mostly because its process is elevated (or belongs to the system) and keeps us
// out, so that counts as higher unless we run elevated ourselves; without our own level there is
// nothing to compare, and the paste goes ahead.
bool CanTypeInto(std::optional<unsigned> ownLevel, std::optional<unsigned> targetLevel);

} // namespace brindlex
