#include "params/integer_text.h"

#include <algorithm>

namespace vemo {

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

LeadingInteger ScanLeadingInteger(std::u16string_view text) {
    LeadingInteger scanned;
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        scanned.negative = text[at] == u'-';
        ++at;
    }
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        scanned.hasDigits = true;
        scanned.magnitude =
            std::min(scanned.magnitude * 10 + (text[at] - u'0'), kInt32MagnitudeLimit + 1);
    }
    scanned.end = at;
    return scanned;
}

}  // namespace vemo
