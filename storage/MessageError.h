#pragma once
// The base of the program's own exceptions: each carries the text shown to the user.
#include <QString>

#include <stdexcept>

class EMessageError : public std::runtime_error {
public:
    explicit EMessageError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
