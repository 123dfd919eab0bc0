#pragma once
// The database engine's own login dialog: asked when the server of an alias wants a
// password the alias does not hold, and again, with the server's message, after a refusal.

#include "db/Database.h"

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dbqt {

class LoginDialog : public QDialog {
    Q_OBJECT
public:
    // `failure` is the server's message after a refused login; empty the first time.
    LoginDialog(const QString& alias, const QString& user, const QString& failure, QWidget* parent = nullptr);

    db::Credentials credentials() const;

    QLineEdit* userEdit() const { return user_; }
    QLineEdit* passwordEdit() const { return password_; }
    QLabel* failureLabel() const { return failure_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void updateOk();

    QLineEdit* user_;
    QLineEdit* password_;
    QLabel* failure_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Shows the dialog modally; nothing when the clerk cancels. A db::LoginPrompt.
std::optional<db::Credentials> askLogin(const QString& alias, const QString& user, const QString& failure);

// Makes the dialog the engine's login prompt.
void installLoginDialog();

// The message shown when the clerk cancels the login at start-up.
QString loginCancelledMessage();

}  // namespace dbqt
