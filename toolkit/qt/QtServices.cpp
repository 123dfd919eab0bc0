#include "toolkit/qt/QtServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tkqt {

void QtMessageService::show(const tk::Message& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(m.caption);
    box.setText(m.text);
    box.setTextFormat(Qt::PlainText);
    switch (m.kind) {
    case tk::Message::Kind::Warning: box.setIcon(QMessageBox::Warning); break;
    case tk::Message::Kind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case tk::Message::Kind::Error: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

QtCursorService::~QtCursorService() {
    if (hourglass_ && qApp) QApplication::restoreOverrideCursor();
}

void QtCursorService::setHourglass(bool on) {
    if (on == hourglass_) return;
    hourglass_ = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace tkqt
