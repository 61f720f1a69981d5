#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads numbers and words from a line the way sscanf's %d, %lf and %s do:
// leading white space is skipped, a field ends where its characters end, and
// a failed field leaves the cursor before it.
//
// Written by hand rather than calling sscanf because sscanf follows the C
// library's locale, which a Qt application takes from the environment: under
// de_DE "1.234" would read as 1. std::from_chars underneath never looks at it.
class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}
    TextScanner(const char* text, std::size_t size) : text_(text, size) {}

    // Each returns false, storing nothing, when no such field comes next.
    // Real takes finite numbers only: "nan", "inf" and values beyond the
    // range of a double are not numbers.
    bool Int(int& value);
    bool Int(long long& value);
    bool Real(double& value);
    bool Word(std::string_view& word);

    void SkipSpace();
    bool AtEnd() {
        SkipSpace();
        return pos_ == text_.size();
    }
    // The text not consumed yet.
    std::string_view Rest() const { return text_.substr(pos_); }

    // The white-space separated words of text.
    static std::vector<std::string_view> Words(std::string_view text);
    // Number of white-space separated words in text.
    static int CountWords(std::string_view text);
    // The whole of text (blanks around it allowed) as one number.
    static bool ParseInt(std::string_view text, int& value);
    static bool ParseInt(std::string_view text, long long& value);
    static bool ParseReal(std::string_view text, double& value);
    // text in lower case (ASCII letters; names, tags and keywords of the
    // structure files compared without regard to case).
    static std::string Lower(std::string_view text);
    // text without the blanks and tabs at its ends.
    static std::string_view Trim(std::string_view text);
    static bool StartsWith(std::string_view text, std::string_view prefix) {
        return text.substr(0, prefix.size()) == prefix;
    }
    static bool EndsWith(std::string_view text, std::string_view suffix) {
        return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};
