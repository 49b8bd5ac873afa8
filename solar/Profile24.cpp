#include "Profile24.h"

#include "TextHooks.h"

#include <cstddef>

namespace {

// Splits a text into tokens the way the program's delimited-string tokenizer does: a run of
// delimiters (tab, carriage return, blank, comma) separates tokens, the delimiter ending a token is
// consumed, and a token opening with a double quote runs to the next double quote (delimiters
// included, quotes dropped). At the end of the text the next token is empty.
class TokenReader {
public:
    explicit TokenReader(const std::string& text) : FText(text) {}

    std::string Next() {
        std::string token;
        char c = NextChar();
        while (IsDelimiter(c) && !FAtEnd)
            c = NextChar();
        if (FAtEnd) return token;
        if (c == '"') {
            for (c = NextChar(); !FAtEnd && c != '"'; c = NextChar())
                token += c;
        } else {
            for (; !FAtEnd && !IsDelimiter(c); c = NextChar())
                token += c;
        }
        return token;
    }

private:
    static bool IsDelimiter(char c) { return c == '\t' || c == '\r' || c == ' ' || c == ','; }

    char NextChar() {
        if (FPos < FText.size()) return FText[FPos++];
        FAtEnd = true;
        return '\0';
    }

    const std::string& FText;
    std::size_t FPos = 0;
    bool FAtEnd = false;
};

} // namespace

void MakeAmbientProfile(TProfile24& profile, double maximum, double minimum) {
    for (std::size_t i = 0; i < profile.size(); ++i)
        profile[i] = minimum + (maximum - minimum) * AmbientShape[i];
}

void FillProfile(TProfile24& profile, double value) {
    profile.fill(value);
}

std::string FormatProfile(const TProfile24& profile, const std::string& format) {
    std::string text;
    for (std::size_t i = 0; i < profile.size(); ++i) {
        if (i > 0) text += ',';
        text += solartext::FormatNumber(format, profile[i]);
    }
    return text;
}

bool ParseProfile(const std::string& text, TProfile24& profile) {
    TokenReader tokens(text);
    for (double& slot : profile) {
        const std::string token = tokens.Next();
        double value = 0;
        if (token.empty() || !solartext::ReadNumber(token, value)) {
            slot = 0;
            return false;
        }
        slot = value;
    }
    return true;
}

void ProfileMaxMin(const TProfile24& profile, double& largest, double& smallest) {
    largest = profile[0];
    smallest = profile[0];
    for (std::size_t i = 1; i < profile.size(); ++i) {
        if (profile[i] > largest) largest = profile[i];
        if (!(profile[i] >= smallest)) smallest = profile[i];
    }
}
