#pragma once
#include <stdexcept>
#include <QString>

namespace db {

// An error of the engine or the server. what() carries the server's own message
// (UTF-8), with the statement's context where it helps.
class Error : public std::runtime_error {
public:
    // What the caller may do about it: a key stored twice, or a lock another connection
    // held longer than the engine waits; the connection lost (or the server silent) while the
    // statement ran, so its outcome may be unknown and the next action connects again;
    // anything else is Other.
    enum class Kind { Other, DuplicateKey, Busy, ConnectionLost };
    explicit Error(const QString& message, Kind kind = Kind::Other)
        : std::runtime_error(message.toStdString()), message_(message), kind_(kind) {}
    const QString& message() const { return message_; }
    Kind kind() const { return kind_; }
private:
    QString message_;
    Kind kind_;
};

// The clerk cancelled the login dialog: the program ends instead of showing an error.
class LoginCancelled : public Error {
public:
    LoginCancelled() : Error(QStringLiteral("Login cancelled")) {}
};

// The connection was lost after COMMIT went out and before the server answered: the server
// may have stored the transaction or not, and only a fresh look at the data can tell.
class CommitUnanswered : public Error {
public:
    explicit CommitUnanswered(const QString& message) : Error(message, Kind::ConnectionLost) {}
};

// The engine's configuration names no usable database for an alias: nothing can work until
// the file is put right, so a program ends at start with the message.
class AliasError : public Error {
public:
    using Error::Error;
};

}  // namespace db
