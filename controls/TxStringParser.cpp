#include "TxStringParser.h"

#include "TxNumText.h"

namespace {
const QChar kQuote(u'"');
}

TStringParser::TCharSet TStringParser::DefaultDelimiters() {
    TCharSet set;
    // Where the comma is the decimal separator it belongs to the numbers, and values are separated by
    // tabs and line ends as a spreadsheet copies them.
    const bool decimalComma = LocaleDecimalSeparator() == QLatin1Char(',');
    for (char c : {'\t', '\r', ' '})
        set.set(static_cast<unsigned char>(c));
    set.set(static_cast<unsigned char>(decimalComma ? '\n' : ','));
    return set;
}

TStringParser::TStringParser(const QString& text) : delimiters_(DefaultDelimiters()) {
    SetText(text);
}

void TStringParser::SetDelimiters(const TCharSet& delimiters) {
    delimiters_ = delimiters;
}

void TStringParser::SetText(const QString& text) {
    text_ = text;
    position_ = 0;
    error_ = spe_None;
}

QChar TStringParser::NextChar() {
    if (position_ <= text_.size()) ++position_; // stops one past the end
    if (position_ <= text_.size()) return text_[position_ - 1];
    if (error_ == spe_None) error_ = spe_EndOfText;
    return QChar(0);
}

QString TStringParser::NextToken() {
    QString token;
    QChar c = NextChar();
    while (IsDelimiter(c) && error_ == spe_None)
        c = NextChar();
    if (c == kQuote) {
        c = NextChar();
        while (c != kQuote && error_ == spe_None) {
            token += c;
            c = NextChar();
        }
    } else {
        while (!IsDelimiter(c) && error_ == spe_None) {
            token += c;
            c = NextChar();
        }
    }
    return token;
}

double TStringParser::NextFloat() {
    double v = 0;
    if (TryStrToFloat(NextToken(), v)) return v;
    error_ = spe_NotANumber;
    return 0.0;
}
