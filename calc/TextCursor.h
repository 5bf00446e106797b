#pragma once

#include <cstddef>
#include <string_view>

namespace calc {

// Walks a typed text one character at a time while stepping over blanks (space,
// tab, line feed) wherever they stand, so that "1 00" reads like "100". Cheap to
// copy: a copy is a look-ahead that can be dropped when the numeral does not go on.
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) { skipBlanks(); }

    // The next character that is not a blank, or '\0' at the end of the text
    // ('\0' never continues a numeral, so an embedded one ends it just the same).
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void advance() {
        ++pos_;
        skipBlanks();
    }

    // Steps over c when it comes next.
    bool accept(char c) {
        if (peek() != c) {
            return false;
        }
        advance();
        return true;
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace calc
