#include "db/qt/LoginDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dbqt {

LoginDialog::LoginDialog(const QString& alias, const QString& user, const QString& failure, QWidget* parent)
    : QDialog(parent),
      user_(new QLineEdit(user, this)),
      password_(new QLineEdit(this)),
      failure_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("데이터베이스 로그인"));
    setObjectName(QStringLiteral("LoginDialog"));
    user_->setObjectName(QStringLiteral("userEdit"));
    password_->setObjectName(QStringLiteral("passwordEdit"));
    password_->setEchoMode(QLineEdit::Password);

    failure_->setObjectName(QStringLiteral("failureLabel"));
    failure_->setWordWrap(true);
    failure_->setStyleSheet(QStringLiteral("color: #b00000;"));
    failure_->setText(failure.isEmpty() ? QString()
                                        : QStringLiteral("로그인이 거부되었습니다. 사용자 이름과 암호를 확인하십시오.\n") +
                                              failure.trimmed());
    failure_->setVisible(!failure.isEmpty());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("데이터베이스:"), new QLabel(alias, this));
    form->addRow(QStringLiteral("사용자 이름:"), user_);
    form->addRow(QStringLiteral("암호:"), password_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    ok_->setText(QStringLiteral("확인"));
    cancel_->setText(QStringLiteral("취소"));
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(user_, &QLineEdit::textChanged, this, [this] { updateOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(failure_);
    layout->addLayout(form);
    layout->addWidget(buttons);

    updateOk();
    // The user name usually comes with the alias: the clerk starts on the password.
    if (user.isEmpty())
        user_->setFocus();
    else
        password_->setFocus();
}

db::Credentials LoginDialog::credentials() const {
    return db::Credentials{user_->text().trimmed(), password_->text()};
}

void LoginDialog::updateOk() {
    ok_->setEnabled(!user_->text().trimmed().isEmpty());
}

std::optional<db::Credentials> askLogin(const QString& alias, const QString& user, const QString& failure) {
    LoginDialog dialog(alias, user, failure, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.credentials();
}

void installLoginDialog() {
    db::Database::setLoginPrompt(&askLogin);
}

QString loginCancelledMessage() {
    return QStringLiteral("로그인을 취소했습니다. 프로그램을 끝냅니다.");
}

}  // namespace dbqt
