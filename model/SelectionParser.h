#pragma once

#include "model/SelectionNode.h"

#include <string>
#include <string_view>

// Parses the selection language (grammar and examples in
// docs/selections.md) into a tree of terms. Operators bind from the
// tightest: the prefixes (not, byres, bychain, within D of, around D of)
// apply to the term that follows them, then and, then or.
class SelectionParser {
public:
    struct Result {
        SelectionNode root;
        // Empty when the text parsed; else what went wrong, starting with
        // the column (from 1) it went wrong at: "column 8: expected a
        // distance in Å after 'within', found 'of'".
        std::string error;
        std::size_t errorColumn = 0;
        bool ok() const { return error.empty(); }
    };

    static Result Parse(std::string_view text);
    // Whether a word is one of the language's own (no selection may be
    // named so).
    static bool IsKeyword(std::string_view word);
    // Whether a word may name a selection: a letter or _ first, then
    // letters, digits and _, and no keyword.
    static bool IsValidName(std::string_view word);
};
