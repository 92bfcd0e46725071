#pragma once

#include <string>
#include <string_view>

namespace vemo {

// What a model 0x82 firmware image's file name says: "<product>_<vv><free text><digest>.bin",
// such as "KORALIN_23_release_<32 hex digits>.bin".

// Whether the name ends in ".bin" (any letter case, as the Windows file search matches it).
bool IsImageFileName(std::string_view name);

// The version the name announces for the product word: the two characters after the first "_"
// read as a decimal number. 0, meaning no usable image, when the text before the first "_" is
// not exactly the product word.
int ImageNameVersion(std::string_view name, std::string_view productWord);

// The digest the name carries: the 32 characters before its 4-character extension, upper-cased.
// Empty when the name is too short to hold one, so it never equals a file's digest.
std::string ImageNameDigest(std::string_view name);

}  // namespace vemo
