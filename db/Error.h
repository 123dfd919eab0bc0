#pragma once
#include <stdexcept>
#include <QString>

namespace db {

// An error of the engine or the server. what() carries the server's own message
// (UTF-8), with the statement's context where it helps.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }
private:
    QString message_;
};

// The clerk cancelled the login dialog: the program ends instead of showing an error.
class LoginCancelled : public Error {
public:
    LoginCancelled() : Error(QStringLiteral("Login cancelled")) {}
};

}  // namespace db
