#pragma once
// A small tokenizer for pasted lists of numbers: tokens are separated by runs of delimiter characters,
// and a piece in double quotes is one token whatever it holds. It never raises; Error() tells why
// reading stopped.
#include <QString>

#include <bitset>

// Error codes of TStringParser.
enum TStringParserError : int {
    spe_None = 0,       // no error
    spe_NotANumber = 1, // NextFloat read a token that is not a number; stays set until SetText
    spe_EndOfText = 2,  // the end of the text was reached
};

class TStringParser {
public:
    // A set of 8-bit character codes; characters above 255 are never delimiters.
    using TCharSet = std::bitset<256>;

    // Tab, carriage return, space and comma; under a locale whose decimal separator is the comma, tab,
    // carriage return, space and line feed.
    static TCharSet DefaultDelimiters();

    explicit TStringParser(const QString& text = QString());

    void SetDelimiters(const TCharSet& delimiters);
    // Loads a text: position back to the start, error cleared.
    void SetText(const QString& text);

    // The next character, or the zero character (with Error() spe_EndOfText, unless spe_NotANumber is
    // already set) once past the end.
    QChar NextChar();
    // Skips delimiters, then reads a quoted piece (quotes dropped) or up to the next delimiter, which is
    // consumed. At the end of the text, whatever was collected, possibly empty.
    QString NextToken();
    // The next token as a number (locale form); 0 with Error() spe_NotANumber when it is not one,
    // including an empty token.
    double NextFloat();

    int Error() const { return error_; }

private:
    bool IsDelimiter(QChar c) const { return c.unicode() < 256 && delimiters_.test(c.unicode()); }

    TCharSet delimiters_;
    QString text_;
    int position_ = 0; // 1-based place of the last character read
    int error_ = spe_None;
};
