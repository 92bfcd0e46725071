#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

class JsonArray;

// One JSON object built member by member, in the order added, for `--json` output: one object
// a line. Texts are taken as UTF-8 (std::string) or UTF-16 (the core's texts).
class JsonObject {
public:
    JsonObject& String(std::string_view key, std::string_view value);
    JsonObject& String(std::string_view key, std::u16string_view value);
    JsonObject& Number(std::string_view key, std::int64_t value);
    JsonObject& Bool(std::string_view key, bool value);
    JsonObject& Object(std::string_view key, const JsonObject& value);
    JsonObject& Array(std::string_view key, const JsonArray& value);

    // The object on one line, without a line end.
    std::string Text() const { return "{" + members_ + "}"; }

private:
    JsonObject& Member(std::string_view key, const std::string& value);
    std::string members_;
};

class JsonArray {
public:
    JsonArray& String(std::string_view value);
    JsonArray& Object(const JsonObject& value);
    std::string Text() const { return "[" + items_ + "]"; }

private:
    JsonArray& Item(const std::string& value);
    std::string items_;
};

// A JSON string literal, quotes included.
std::string JsonQuoted(std::string_view utf8);

}  // namespace vemo
