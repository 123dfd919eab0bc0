#pragma once
// A home of its own for the engine's files while it lives: XDG_CONFIG_HOME (the alias file)
// and XDG_DATA_HOME (the embedded database) point into a temporary folder, and get their
// values back at the end.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <utility>
#include <vector>

namespace test {

class Home {
public:
    Home();
    ~Home();
    Home(const Home&) = delete;
    Home& operator=(const Home&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString filePath(const QString& relative) const { return dir_.filePath(relative); }
    QString path() const { return dir_.path(); }
    // Writes the engine's alias file; false when it cannot.
    bool writeAliasFile(const QByteArray& text) const;

private:
    void set(const char* name, const QString& value);
    QTemporaryDir dir_;
    std::vector<std::pair<const char*, QByteArray>> saved_;  // a null value: it was not set
};

}  // namespace test
