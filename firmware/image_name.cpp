#include "firmware/image_name.h"

#include "firmware/package_text.h"

namespace vemo {

namespace {
constexpr std::string_view kImageExtension = ".bin";
constexpr std::size_t kDigestLength = 32;
constexpr std::size_t kVersionLength = 2;
}  // namespace

bool IsImageFileName(std::string_view name) {
    return name.size() >= kImageExtension.size() &&
           UpperCaseAscii(name.substr(name.size() - kImageExtension.size())) ==
               UpperCaseAscii(kImageExtension);
}

int ImageNameVersion(std::string_view name, std::string_view productWord) {
    const std::size_t separator = name.find('_');
    if (separator == std::string_view::npos || name.substr(0, separator) != productWord) {
        return 0;
    }
    return LeadingDecimal(name.substr(separator + 1, kVersionLength));
}

std::string ImageNameDigest(std::string_view name) {
    if (name.size() < kDigestLength + kImageExtension.size()) {
        return {};
    }
    return UpperCaseAscii(
        name.substr(name.size() - kImageExtension.size() - kDigestLength, kDigestLength));
}

}  // namespace vemo
