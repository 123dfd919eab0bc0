#pragma once
// A program's forms in real windows on an X server, over the demo data of either engine, with
// the keys, Korean input and pictures a clerk's test needs. Messages are recorded.

#include "programs/BrenvikForms.h"
#include "tests/support/Engines.h"
#include "tests/support/QtApplication.h"
#include "voucher/Qel_Unit3.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vtest {

// `Param` is the engine, or a table row's tuple that starts with it.
template <class Param>
class WindowTestOf : public test::QtApplicationTest<test::EngineTestOf<Param>> {
protected:
    using Base = test::QtApplicationTest<test::EngineTestOf<Param>>;
    void SetUp() override {
        Base::SetUp();
        this->database().loadDemoData();
        this->database().installAsAlias(QStringLiteral("Account"));
        this->startApplication(QStringLiteral("Brenvik"));
        form_ = &createForms();
    }
    void TearDown() override {
        this->stopApplication();
        fmBrenvik = nullptr;
        Base::TearDown();
    }
    // Another program's test creates that program's forms.
    virtual TfmBrenvik& createForms() { return createBrenvikForms(); }

    // Shows the voucher form and waits until it is the active window.
    bool showVoucherForm() {
        tk::app().event([&] { form_->show(); });
        return QTest::qWaitForWindowActive(tkqt::windowOf(*form_));
    }
    QWidget* widget(const QString& name) const { return tkqt::widgetOf(form_->control(name)); }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
    // Digits as keys; Korean arrives from the input method as committed text.
    static void keys(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void typeKorean(const QString& text) {
        QInputMethodEvent committed;
        committed.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &committed);
    }
    static bool activeWindowIs(tk::Form& form) {
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == tkqt::windowOf(form) && QApplication::focusWidget(); });
    }
    // The whole screen as a picture in <folder>/<name>-<engine>.png.
    void screenshot(const QString& folder, const QString& name) {
        QDir().mkpath(folder);
        QTest::qWait(100);  // the last changes painted
        const bool sqlite = test::engineOf(this->GetParam()) == test::Engine::SQLite;
        const QString engine = sqlite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
        QApplication::primaryScreen()->grabWindow(0).save(QStringLiteral("%1/%2-%3.png").arg(folder, name, engine));
    }

    TfmBrenvik* form_ = nullptr;
};

class WindowTest : public WindowTestOf<test::Engine> {};

}  // namespace vtest
