#pragma once
// A fresh application per test, and a log that handlers write to.

#include "tests/support/Clerk.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <QStringList>

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { tk::app().initialize(QStringLiteral("Varo-Quint")); }
    void TearDown() override { tk::app().reset(); }

    static tk::RecordingMessageService& messages() {
        return static_cast<tk::RecordingMessageService&>(tk::app().messages());
    }

    // A handler that logs "<what> <sender>", and for exits also the control receiving the focus.
    tk::NotifyEvent logged(const QString& what) {
        return [this, what](tk::Control& c) {
            QString line = what + QLatin1Char(' ') + c.name();
            if (what == QLatin1String("exit") && c.form().activeControl()) {
                line += QStringLiteral(" -> ") + c.form().activeControl()->name();
            }
            log << line;
        };
    }
    void logFocus(tk::Control& c) {
        c.onEnter = logged(QStringLiteral("enter"));
        c.onExit = logged(QStringLiteral("exit"));
    }

    QStringList log;
};
