// A clerk types the first line of a voucher in Brenvik's real windows, with real keys and
// mouse clicks: the account dialogs open from the fields and a double click writes back.

#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"
#include "programs/BrenvikForms.h"
#include "tests/support/Engines.h"
#include "toolkit/Application.h"
#include "toolkit/qt/QtWidgetset.h"
#include "voucher/Qel_Unit3.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QInputMethodEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TypingWindow : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        database().loadDemoData();
        database().installAsAlias(QStringLiteral("Account"));
        tk::app().initialize(QStringLiteral("Brenvik"));
        widgetset_ = tkqt::install(tk::app());
        auto recording = std::make_unique<tk::RecordingMessageService>();
        messages_ = recording.get();
        tk::app().setMessageService(std::move(recording));
        form_ = &createBrenvikForms();
        tk::app().event([&] { form_->show(); });
        ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*form_)));
    }
    void TearDown() override {
        widgetset_.reset();
        tk::app().reset();
        fmBrenvik = nullptr;
        EngineTest::TearDown();
    }

    // Xvfb runs no window manager: nothing activates the voucher form when a dialog hides.
    void backToTheVoucherForm() {
        tkqt::windowOf(*form_)->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*form_)));
    }
    QWidget* widget(const QString& name) { return tkqt::widgetOf(form_->control(name)); }
    // Digits as keys; Korean as the input method commits it.
    static void keys(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void korean(const QString& text) {
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &composed);
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
    // A row of a dialog's result grid, double-clicked with the mouse.
    static void doubleClickRow(tk::Form& dialog, int row) {
        auto* view = qobject_cast<QAbstractItemView*>(tkqt::widgetOf(dialog.grid(QStringLiteral("DBGrid1"))));
        ASSERT_NE(view, nullptr);
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    static QStringList names(const tk::Form& dialog) {
        const db::Query& q = dialog.query(QStringLiteral("Query1"));
        QStringList out;
        for (int r = 0; r < q.recordCount(); ++r) out << q.text(r, q.fieldIndex(QStringLiteral("ac_name01")));
        return out;
    }
    void screenshot(const QString& name) {
        QDir().mkpath(QStringLiteral("voucher-screens"));
        QTest::qWait(100);  // the last changes painted
        const QString engine = GetParam() == test::Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
        QApplication::primaryScreen()->grabWindow(0).save(QStringLiteral("voucher-screens/%1-%2.png").arg(name, engine));
    }

    std::unique_ptr<tkqt::QtWidgetset> widgetset_;
    tk::RecordingMessageService* messages_ = nullptr;
    TfmBrenvik* form_ = nullptr;
};

TEST_P(TypingWindow, AccountsFromTheirDialogsAndTheAmountBalancesTheLine) {
    key(Qt::Key_I, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), widget(QStringLiteral("edCR_Ac_QelName_01")));
    korean(QStringLiteral("현"));
    key(Qt::Key_Tab);
    QWidget* debitDialog = tkqt::windowOf(*Form1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(debitDialog));
    EXPECT_EQ(form_->formMode(), TfmBrenvik::ModeNewVoucher);
    EXPECT_EQ(names(*Form1), QStringList({QStringLiteral("현금")}));
    screenshot(QStringLiteral("debit-account-dialog"));

    doubleClickRow(*Form1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !debitDialog->isVisible(); }));
    const tk::Edit& debit = form_->edit(QStringLiteral("edCR_Ac_QelName_01"));
    EXPECT_EQ(debit.text(), QStringLiteral("현금"));
    EXPECT_EQ(debit.hint(), QStringLiteral("10101001000"));

    backToTheVoucherForm();
    QTest::mouseClick(widget(QStringLiteral("edDR_Ac_QelName_01")), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), widget(QStringLiteral("edDR_Ac_QelName_01")));
    korean(QStringLiteral("외상매입"));
    key(Qt::Key_Tab);
    QWidget* creditDialog = tkqt::windowOf(*Form7);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(creditDialog));
    ASSERT_EQ(names(*Form7), QStringList({QStringLiteral("외상매입금")}));
    doubleClickRow(*Form7, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !creditDialog->isVisible(); }));
    const tk::Edit& credit = form_->edit(QStringLiteral("edDR_Ac_QelName_01"));
    EXPECT_EQ(credit.text(), QStringLiteral("외상매입금"));
    EXPECT_EQ(credit.hint(), QStringLiteral("20101001000"));

    backToTheVoucherForm();
    QTest::mouseClick(widget(QStringLiteral("edCR_Cr_Amt_01")), Qt::LeftButton);
    keys(QStringLiteral("1500000"));
    key(Qt::Key_Tab);
    const QString shown = QString(16, QLatin1Char(' ')) + QStringLiteral("1,500,000");
    EXPECT_EQ(form_->edit(QStringLiteral("edCR_Cr_Amt_01")).text(), shown);
    EXPECT_EQ(form_->edit(QStringLiteral("edDR_Dr_Amt_01")).text(), shown);
    screenshot(QStringLiteral("first-line-typed"));
    EXPECT_TRUE(messages_->log().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, TypingWindow, test::allEngines, test::engineName);

}  // namespace
