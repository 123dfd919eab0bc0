#pragma once
// Message boxes and the screen cursor, as services a widgetset replaces.

#include <QString>
#include <QStringList>
#include <vector>

namespace tk {

struct Message {
    enum class Kind { Warning, Plain, Error };
    Kind kind;
    QString caption;  // "Warning", the application's title, or "Error"
    QString text;
};

// Every box has one OK button and waits until it is closed.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void show(const Message& m) = 0;
};

// Headless: records every message in order and returns at once.
class RecordingMessageService : public MessageService {
public:
    void show(const Message& m) override { log_.push_back(m); }
    const std::vector<Message>& log() const { return log_; }
    QStringList texts() const;
    void clear() { log_.clear(); }
private:
    std::vector<Message> log_;
};

class CursorService {
public:
    virtual ~CursorService() = default;
    virtual void setHourglass(bool on) = 0;
};

class NullCursorService : public CursorService {
public:
    void setHourglass(bool on) override { hourglass_ = on; }
    bool hourglass() const { return hourglass_; }
private:
    bool hourglass_ = false;
};

// The warning box: caption "Warning", one "OK" button.
void showWarning(const QString& text);
// The plain message box: the application's title as caption, one OK button.
void showMessage(const QString& text);
// The error dialog for an exception that left a handler.
void showError(const QString& text);

// Hourglass while alive; the default pointer again when it ends, also by an exception.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

}  // namespace tk
