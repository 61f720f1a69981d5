#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writes one JSON document to a C stream, in pieces, so that a model of
// millions of atoms never has to exist as one string. Commas between members
// and elements are placed by the writer; the caller opens and closes.
class JsonWriter {
public:
    explicit JsonWriter(std::FILE* out) : out_(out) {}
    ~JsonWriter() { Flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the enclosing object.
    void Key(std::string_view name);

    void String(std::string_view text);
    void Int(long long value);
    void Bool(bool value);
    void Null();
    // Shortest text that reads back as the same double, with at least
    // minDecimals decimals when that text is exact too; null when not finite.
    void Real(double value, int minDecimals = 6);

    // Writes what is buffered; false when the stream reported an error.
    bool Flush();

private:
    void BeforeValue();

    std::FILE* out_;
    std::string buffer_;
    bool needComma_ = false;
    bool failed_ = false;
};
