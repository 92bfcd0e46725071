#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The terminal speaks UTF-8, the core UTF-16.

// Nothing when `text` is not well-formed UTF-8, so a mistyped byte is refused rather than
// guessed at.
std::optional<std::u16string> FromUtf8(std::string_view text);

// A lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace vemo
