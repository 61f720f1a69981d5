#include "model/TextScanner.h"

#include <cctype>

#include <charconv>
#include <climits>
#include <cmath>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

void TextScanner::SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_]))
        ++pos_;
}

bool TextScanner::Int(long long& value) {
    SkipSpace();
    const char* begin = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    const char* digits = begin;
    if (digits != end && *digits == '+')
        ++digits; // from_chars takes a minus sign only
    long long wide = 0;
    const auto [stop, ec] = std::from_chars(digits, end, wide);
    if (ec != std::errc() || (digits != begin && *digits == '-'))
        return false;
    value = wide;
    pos_ = static_cast<std::size_t>(stop - text_.data());
    return true;
}

bool TextScanner::Int(int& value) {
    const std::size_t start = pos_;
    long long wide = 0;
    if (!Int(wide))
        return false;
    if (wide < INT_MIN || wide > INT_MAX) {
        pos_ = start;
        return false;
    }
    value = static_cast<int>(wide);
    return true;
}

bool TextScanner::Real(double& value) {
    SkipSpace();
    const char* begin = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    const char* number = begin;
    if (number != end && *number == '+')
        ++number;
    double parsed = 0.0;
    const auto [stop, ec] = std::from_chars(number, end, parsed);
    // Out of range (1.0e309) and "nan" or "inf" are no numbers a structure
    // file can mean.
    if (ec != std::errc() || (number != begin && *number == '-') || !std::isfinite(parsed))
        return false;
    value = parsed;
    pos_ = static_cast<std::size_t>(stop - text_.data());
    return true;
}

bool TextScanner::Word(std::string_view& word) {
    SkipSpace();
    std::size_t end = pos_;
    while (end < text_.size() && !IsSpace(text_[end]))
        ++end;
    if (end == pos_)
        return false;
    word = text_.substr(pos_, end - pos_);
    pos_ = end;
    return true;
}

int TextScanner::CountWords(std::string_view text) {
    TextScanner scanner(text);
    std::string_view word;
    int count = 0;
    while (scanner.Word(word))
        ++count;
    return count;
}

bool TextScanner::ParseInt(std::string_view text, int& value) {
    TextScanner scanner(text);
    int parsed = 0;
    if (!scanner.Int(parsed) || !scanner.AtEnd())
        return false;
    value = parsed;
    return true;
}

bool TextScanner::ParseInt(std::string_view text, long long& value) {
    TextScanner scanner(text);
    long long parsed = 0;
    if (!scanner.Int(parsed) || !scanner.AtEnd())
        return false;
    value = parsed;
    return true;
}

bool TextScanner::ParseReal(std::string_view text, double& value) {
    TextScanner scanner(text);
    double parsed = 0.0;
    if (!scanner.Real(parsed) || !scanner.AtEnd())
        return false;
    value = parsed;
    return true;
}

std::string TextScanner::Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string_view TextScanner::Trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::vector<std::string_view> TextScanner::Words(std::string_view text) {
    std::vector<std::string_view> words;
    TextScanner scan(text);
    std::string_view word;
    while (scan.Word(word))
        words.push_back(word);
    return words;
}
