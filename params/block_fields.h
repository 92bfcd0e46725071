#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace vemo {

// Blocks live in buffers of this size, the most one reply can carry.
inline constexpr std::size_t kBlockCapacity = 4096;

// What reading a block gave.
enum class BlockOutcome {
    Complete,      // every field of the layout was read
    Truncated,     // the bytes ended inside the layout; the fields from there on kept their values
    BadSignature,  // a model 0x78 block without its signature: nothing was taken
    NotReceived,   // the device delivered no block: nothing was taken
};

// Little-endian numbers and terminated texts from received bytes. Once a field runs past the
// end of the bytes, it and every later field read as missing, so nothing is read past them.
class BlockReader {
public:
    BlockReader(std::span<const std::uint8_t> bytes, std::size_t position)
        : bytes_(bytes), position_(position) {}

    std::optional<std::uint32_t> Number(int width);
    std::optional<std::u16string> Text();

    std::size_t Position() const { return position_; }
    bool RanOut() const { return ranOut_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_;
    bool ranOut_ = false;
};

// Little-endian numbers (their low bytes) and terminated texts into a block buffer. A field
// that does not fit is not written, nor is anything after it.
class BlockWriter {
public:
    BlockWriter(std::span<std::uint8_t> block, std::size_t position)
        : block_(block), position_(position) {}

    void Number(int width, std::uint32_t value);
    void Text(std::u16string_view text);
    void Bytes(std::span<const std::uint8_t> bytes);

    std::size_t Position() const { return position_; }
    bool Overflowed() const { return overflowed_; }

private:
    bool Fits(std::size_t count);

    std::span<std::uint8_t> block_;
    std::size_t position_;
    bool overflowed_ = false;
};

// One field of a layout: a number of 1, 2 or 4 bytes with its conversions (none means the
// member is the field), or a text.
template <class Record>
struct NumberField {
    int width = 1;
    std::int32_t Record::*member = nullptr;
    std::uint32_t (*toField)(std::int32_t) = nullptr;
    std::int32_t (*fromField)(std::uint32_t) = nullptr;
};
template <class Record>
using TextMember = std::u16string Record::*;
template <class Record>
using BlockField = std::variant<NumberField<Record>, TextMember<Record>>;

// Fields whose member is the number or the text itself.
template <class Record>
constexpr BlockField<Record> U8Field(std::int32_t Record::*member) {
    return NumberField<Record>{1, member};
}
template <class Record>
constexpr BlockField<Record> U16Field(std::int32_t Record::*member) {
    return NumberField<Record>{2, member};
}
template <class Record>
constexpr BlockField<Record> U32Field(std::int32_t Record::*member) {
    return NumberField<Record>{4, member};
}
template <class Record>
constexpr BlockField<Record> TextField(std::u16string Record::*member) {
    return member;
}

// Reads one field into `record`; false, and `record` unchanged, when the bytes ran out.
template <class Record>
bool ReadField(BlockReader& reader, const BlockField<Record>& field, Record& record) {
    if (const auto* number = std::get_if<NumberField<Record>>(&field)) {
        const std::optional<std::uint32_t> value = reader.Number(number->width);
        if (value) {
            record.*(number->member) =
                number->fromField ? number->fromField(*value) : static_cast<std::int32_t>(*value);
        }
        return value.has_value();
    }
    std::optional<std::u16string> text = reader.Text();
    if (text) {
        record.*std::get<TextMember<Record>>(field) = std::move(*text);
    }
    return text.has_value();
}

template <class Record>
void WriteField(BlockWriter& writer, const BlockField<Record>& field, const Record& record) {
    if (const auto* number = std::get_if<NumberField<Record>>(&field)) {
        const std::int32_t value = record.*(number->member);
        writer.Number(number->width,
                      number->toField ? number->toField(value) : static_cast<std::uint32_t>(value));
        return;
    }
    writer.Text(record.*std::get<TextMember<Record>>(field));
}

// Reads the fields in order; false when the bytes ended before the last one.
template <class Record>
bool ReadFields(BlockReader& reader, std::span<const BlockField<Record>> fields, Record& record) {
    for (const BlockField<Record>& field : fields) {
        if (!ReadField(reader, field, record)) {
            return false;
        }
    }
    return true;
}

template <class Record>
void WriteFields(BlockWriter& writer, std::span<const BlockField<Record>> fields,
                 const Record& record) {
    for (const BlockField<Record>& field : fields) {
        WriteField(writer, field, record);
    }
}

}  // namespace vemo
