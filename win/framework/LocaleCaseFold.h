// Case folding the way Windows compares text for the user: lower case by the user's locale with
// its linguistic rules (so "ÉTÉ" finds "été", and a Turkish user's "I" folds as they expect).
#pragma once

#include <string>
#include <string_view>

namespace brindlex {

std::u16string FoldForUserLocale(std::u16string_view text);

} // namespace brindlex
