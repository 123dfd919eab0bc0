#include "toolkit/Services.h"

#include "toolkit/Application.h"

namespace tk {

QStringList RecordingMessageService::texts() const {
    QStringList out;
    for (const Message& m : log_) out << m.text;
    return out;
}

void showWarning(const QString& text) {
    app().messages().show(Message{Message::Kind::Warning, QStringLiteral("Warning"), text});
}

void showMessage(const QString& text) {
    app().messages().show(Message{Message::Kind::Plain, app().title(), text});
}

void showError(const QString& text) {
    app().messages().show(Message{Message::Kind::Error, QStringLiteral("Error"), text});
}

// Guards nest (a command calling a query that shows its own hourglass): only the outermost
// one switches the pointer.
namespace {
int hourglassDepth = 0;
}

HourglassCursor::HourglassCursor() {
    if (hourglassDepth++ == 0) app().cursor().setHourglass(true);
}

HourglassCursor::~HourglassCursor() {
    if (--hourglassDepth == 0) app().cursor().setHourglass(false);
}

}  // namespace tk
