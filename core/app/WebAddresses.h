// The web pages the program points to: the product's (about box link, sample item) and its
// makers' (about box link).
#pragma once

namespace brindlex {

inline constexpr char16_t kProductWebAddress[] = u"https://brindlex.example.org/";
inline constexpr char16_t kMakerWebAddress[] = u"https://brindlex.example.org/developers/";

} // namespace brindlex
