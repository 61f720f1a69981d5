#include "cli/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

void JsonWriter::BeforeValue() {
    if (needComma_)
        buffer_ += ',';
    needComma_ = true;
    if (buffer_.size() >= kFlushSize)
        Flush();
}

void JsonWriter::BeginObject() {
    BeforeValue();
    buffer_ += '{';
    needComma_ = false;
}

void JsonWriter::EndObject() {
    buffer_ += '}';
    needComma_ = true;
}

void JsonWriter::BeginArray() {
    BeforeValue();
    buffer_ += '[';
    needComma_ = false;
}

void JsonWriter::EndArray() {
    buffer_ += ']';
    needComma_ = true;
}

void JsonWriter::Key(std::string_view name) {
    String(name);
    buffer_ += ':';
    needComma_ = false;
}

// Bytes from a structure file need not be UTF-8; bytes above 127 are written
// as the Latin-1 characters they would be, so the output is always valid.
void JsonWriter::String(std::string_view text) {
    BeforeValue();
    buffer_ += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            buffer_ += '\\';
            buffer_ += ch;
        } else if (c < 0x20 || c >= 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            buffer_ += escape;
        } else {
            buffer_ += ch;
        }
    }
    buffer_ += '"';
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    buffer_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    buffer_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    buffer_ += "null";
}

void JsonWriter::Real(double value, int minDecimals) {
    BeforeValue();
    if (!std::isfinite(value)) {
        buffer_ += "null";
        return;
    }
    char text[64];
    auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, minDecimals);
    double back = 0.0;
    if (result.ec == std::errc()) {
        std::from_chars(text, result.ptr, back);
        if (back == value) {
            buffer_.append(text, result.ptr);
            return;
        }
    }
    result = std::to_chars(text, text + sizeof text, value);
    buffer_.append(text, result.ptr);
}

bool JsonWriter::Flush() {
    if (!buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size())
            failed_ = true;
        buffer_.clear();
    }
    if (std::fflush(out_) != 0)
        failed_ = true;
    return !failed_;
}
