#include "cli/json_line.h"

#include <cstdio>

#include "cli/utf8.h"

namespace vemo {

std::string JsonQuoted(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::Member(std::string_view key, const std::string& value) {
    if (!members_.empty()) {
        members_ += ",";
    }
    members_ += JsonQuoted(key) + ":" + value;
    return *this;
}

JsonObject& JsonObject::String(std::string_view key, std::string_view value) {
    return Member(key, JsonQuoted(value));
}

JsonObject& JsonObject::String(std::string_view key, std::u16string_view value) {
    return Member(key, JsonQuoted(ToUtf8(value)));
}

JsonObject& JsonObject::Number(std::string_view key, std::int64_t value) {
    return Member(key, std::to_string(value));
}

JsonObject& JsonObject::Bool(std::string_view key, bool value) {
    return Member(key, value ? "true" : "false");
}

JsonObject& JsonObject::Object(std::string_view key, const JsonObject& value) {
    return Member(key, value.Text());
}

JsonObject& JsonObject::Array(std::string_view key, const JsonArray& value) {
    return Member(key, value.Text());
}

JsonArray& JsonArray::Item(const std::string& value) {
    if (!items_.empty()) {
        items_ += ",";
    }
    items_ += value;
    return *this;
}

JsonArray& JsonArray::String(std::string_view value) {
    return Item(JsonQuoted(value));
}

JsonArray& JsonArray::Object(const JsonObject& value) {
    return Item(value.Text());
}

}  // namespace vemo
