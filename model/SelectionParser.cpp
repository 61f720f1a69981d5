#include "model/SelectionParser.h"

#include "model/TextScanner.h"

#include <cctype>
#include <cmath>
#include <map>
#include <vector>

namespace {

using Kind = SelectionNode::Kind;

// What follows a keyword.
enum class Takes { kNothing, kWords, kResidueNumbers, kNumbers, kPrefix, kDistance };

struct Keyword {
    Kind kind;
    Takes takes;
    const char* what; // what the values are, for the messages
};

const std::map<std::string, Keyword, std::less<>>& Keywords() {
    static const std::map<std::string, Keyword, std::less<>> keywords = {
        {"all", {Kind::kAll, Takes::kNothing, ""}},
        {"none", {Kind::kNone, Takes::kNothing, ""}},
        {"not", {Kind::kNot, Takes::kPrefix, ""}},
        {"chain", {Kind::kChain, Takes::kWords, "a chain name"}},
        {"resn", {Kind::kResidueName, Takes::kWords, "a residue name"}},
        {"resi", {Kind::kResidueNumber, Takes::kResidueNumbers, "a residue number"}},
        {"name", {Kind::kAtomName, Takes::kWords, "an atom name"}},
        {"elem", {Kind::kElement, Takes::kWords, "an element symbol"}},
        {"element", {Kind::kElement, Takes::kWords, "an element symbol"}},
        {"index", {Kind::kIndex, Takes::kNumbers, "an atom index"}},
        {"serial", {Kind::kSerial, Takes::kNumbers, "a serial number"}},
        {"id", {Kind::kSerial, Takes::kNumbers, "a serial number"}},
        {"model", {Kind::kModel, Takes::kNumbers, "a model number"}},
        {"protein", {Kind::kProtein, Takes::kNothing, ""}},
        {"nucleic", {Kind::kNucleic, Takes::kNothing, ""}},
        {"backbone", {Kind::kBackbone, Takes::kNothing, ""}},
        {"sidechain", {Kind::kSidechain, Takes::kNothing, ""}},
        {"ligand", {Kind::kLigand, Takes::kNothing, ""}},
        {"water", {Kind::kWater, Takes::kNothing, ""}},
        {"ion", {Kind::kIon, Takes::kNothing, ""}},
        {"hydrogen", {Kind::kHydrogen, Takes::kNothing, ""}},
        {"hetatm", {Kind::kHetero, Takes::kNothing, ""}},
        {"helix", {Kind::kHelix, Takes::kNothing, ""}},
        {"sheet", {Kind::kSheet, Takes::kNothing, ""}},
        {"strand", {Kind::kSheet, Takes::kNothing, ""}},
        {"coil", {Kind::kCoil, Takes::kNothing, ""}},
        {"within", {Kind::kWithin, Takes::kDistance, ""}},
        {"around", {Kind::kAround, Takes::kDistance, ""}},
        {"byres", {Kind::kByResidue, Takes::kPrefix, ""}},
        {"bychain", {Kind::kByChain, Takes::kPrefix, ""}},
    };
    return keywords;
}

// Words of their own that are no term: the operators and "of".
bool IsOperatorWord(std::string_view word) {
    return word == "and" || word == "or" || word == "of";
}

struct Token {
    std::string text; // empty at the end
    std::size_t column = 0;
    bool symbol = false; // ( ) & | !
    std::string word;    // text in lower case: keywords are of any case
};

std::vector<Token> Tokenise(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    const auto isSymbol = [](char c) {
        return c == '(' || c == ')' || c == '&' || c == '|' || c == '!';
    };
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            ++i;
            continue;
        }
        if (isSymbol(c)) {
            tokens.push_back({std::string(1, c), i + 1, true, std::string(1, c)});
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) == 0 &&
               !isSymbol(text[i]))
            ++i;
        const std::string_view word = text.substr(start, i - start);
        tokens.push_back({std::string(word), start + 1, false, TextScanner::Lower(word)});
    }
    tokens.push_back({"", text.size() + 1, false, ""});
    return tokens;
}

// A number with an optional leading minus sign, read from at on; at moves
// past it.
bool ReadLong(std::string_view text, std::size_t& at, long& value) {
    const std::size_t start = at;
    if (at < text.size() && text[at] == '-')
        ++at;
    const std::size_t digits = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0)
        ++at;
    if (at == digits || at - digits > 9) {
        at = start;
        return false;
    }
    value = std::stol(std::string(text.substr(start, at - start)));
    return true;
}

// "12", "12A", "10-20", "-5--1": a value or an inclusive range; an
// insertion code only after a single value.
bool ReadRange(std::string_view text, bool insertions, SelectionNode::Range& range) {
    std::size_t at = 0;
    if (!ReadLong(text, at, range.low))
        return false;
    range.high = range.low;
    if (at == text.size())
        return true;
    if (insertions && at + 1 == text.size() &&
        std::isalpha(static_cast<unsigned char>(text[at])) != 0) {
        range.insertion = std::string(1, text[at]);
        return true;
    }
    if (text[at] != '-')
        return false;
    ++at;
    return ReadLong(text, at, range.high) && at == text.size() && range.high >= range.low;
}

std::vector<std::string> SplitPlus(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        parts.push_back(text.substr(start, plus == std::string::npos ? plus : plus - start));
        if (plus == std::string::npos)
            return parts;
        start = plus + 1;
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(Tokenise(text)) {}

    SelectionParser::Result Run() {
        SelectionParser::Result result;
        if (Peek().text.empty())
            Fail("a selection");
        else
            result.root = Or();
        if (error_.empty() && !Peek().text.empty())
            Fail(Peek().text == ")" ? "no ')' without a '(' before it" : "'and', 'or' or the end");
        result.error = error_;
        result.errorColumn = errorColumn_;
        return result;
    }

private:
    const Token& Peek() const { return tokens_[next_]; }
    const Token& Take() {
        const Token& token = tokens_[next_];
        if (next_ + 1 < tokens_.size())
            ++next_;
        return token;
    }
    bool At(std::string_view word) const { return Peek().word == word; }
    bool Failed() const { return !error_.empty(); }

    void Fail(const std::string& expected) {
        if (Failed())
            return;
        const Token& token = Peek();
        errorColumn_ = token.column;
        error_ = "column " + std::to_string(token.column) + ": ";
        if (expected.rfind("no ", 0) == 0)
            error_ += expected;
        else
            error_ += "expected " + expected + ", found " +
                      (token.text.empty() ? std::string("the end") : "'" + token.text + "'");
    }

    SelectionNode Binary(Kind kind, SelectionNode left, SelectionNode right) {
        // Chains of one operator stay flat: "a or b or c" is one node.
        if (left.kind != kind) {
            SelectionNode node;
            node.kind = kind;
            node.operands.push_back(std::move(left));
            left = std::move(node);
        }
        left.operands.push_back(std::move(right));
        return left;
    }

    SelectionNode Or() {
        SelectionNode left = And();
        while (!Failed() && (At("or") || At("|"))) {
            Take();
            left = Binary(Kind::kOr, std::move(left), And());
        }
        return left;
    }

    SelectionNode And() {
        SelectionNode left = Unary();
        while (!Failed() && (At("and") || At("&"))) {
            Take();
            left = Binary(Kind::kAnd, std::move(left), Unary());
        }
        return left;
    }

    SelectionNode Unary() {
        SelectionNode node;
        if (Failed())
            return node;
        const Token token = Peek();
        if (token.text == "(") {
            Take();
            if (At(")")) {
                Fail("a selection inside the parentheses");
                return node;
            }
            node = Or();
            if (!Failed() && !At(")"))
                Fail("')' to close the '(' at column " + std::to_string(token.column));
            if (!Failed())
                Take();
            return node;
        }
        if (token.text == "!") {
            Take();
            node.kind = Kind::kNot;
            node.operands.push_back(Unary());
            return node;
        }
        if (token.text.empty() || token.symbol || IsOperatorWord(token.word)) {
            Fail("a selection");
            return node;
        }
        const auto keyword = Keywords().find(token.word);
        if (keyword == Keywords().end()) {
            if (!SelectionParser::IsValidName(token.text)) {
                Fail("a keyword or the name of a selection");
                return node;
            }
            Take();
            node.kind = Kind::kNamed;
            node.words.push_back(token.text);
            return node;
        }
        Take();
        node.kind = keyword->second.kind;
        switch (keyword->second.takes) {
        case Takes::kNothing:
            break;
        case Takes::kPrefix:
            node.operands.push_back(Unary());
            break;
        case Takes::kDistance:
            Distance(node, token.text);
            break;
        case Takes::kWords:
        case Takes::kNumbers:
        case Takes::kResidueNumbers:
            Values(node, keyword->second, token.text);
            break;
        }
        return node;
    }

    void Distance(SelectionNode& node, const std::string& keyword) {
        double distance = 0.0;
        if (Peek().symbol || !TextScanner::ParseReal(Peek().text, distance) ||
            !std::isfinite(distance) || distance < 0.0 || distance > 1000.0) {
            Fail("a distance in Å (0 to 1000) after '" + keyword + "'");
            return;
        }
        const std::string written = Take().text;
        node.distance = distance;
        if (!At("of")) {
            Fail("'of' after '" + keyword + " " + written + "'");
            return;
        }
        Take();
        node.operands.push_back(Unary());
    }

    void Values(SelectionNode& node, const Keyword& keyword, const std::string& name) {
        const Token& token = Peek();
        if (token.text.empty() || token.symbol || IsOperatorWord(token.word)) {
            Fail(std::string(keyword.what) + " after '" + name + "'");
            return;
        }
        for (const std::string& part : SplitPlus(token.text)) {
            if (part.empty()) {
                Fail(std::string(keyword.what) + " on each side of '+'");
                return;
            }
            if (keyword.takes == Takes::kWords) {
                node.words.push_back(part);
                continue;
            }
            SelectionNode::Range range;
            if (!ReadRange(part, keyword.takes == Takes::kResidueNumbers, range)) {
                Fail(std::string(keyword.what) + " or a range such as 10-20 after '" + name + "'");
                return;
            }
            node.ranges.push_back(range);
        }
        Take();
    }

    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    std::string error_;
    std::size_t errorColumn_ = 0;
};

} // namespace

SelectionParser::Result SelectionParser::Parse(std::string_view text) {
    return Parser(text).Run();
}

bool SelectionParser::IsKeyword(std::string_view word) {
    const std::string lower = TextScanner::Lower(word);
    return Keywords().count(lower) != 0 || IsOperatorWord(lower);
}

bool SelectionParser::IsValidName(std::string_view word) {
    if (word.empty() || IsKeyword(word))
        return false;
    if (std::isalpha(static_cast<unsigned char>(word[0])) == 0 && word[0] != '_')
        return false;
    for (const char c : word) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_')
            return false;
    }
    return true;
}
