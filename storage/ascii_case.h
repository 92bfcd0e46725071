#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace vemo {

// File extensions here are ASCII, so folding ASCII letters is the whole of their case rule.
inline char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

inline std::u16string FoldedAscii(std::u16string_view text) {
    std::u16string folded(text);
    std::ranges::transform(folded, folded.begin(), FoldAscii);
    return folded;
}

}  // namespace vemo
