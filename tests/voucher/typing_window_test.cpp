// A clerk types the first line of a voucher in Brenvik's real windows, with real keys and
// mouse clicks: the account dialogs open from the fields and a double click writes back.

#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/voucher/WindowFixture.h"

#include <QAbstractItemView>

namespace {

class TypingWindow : public vtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(showVoucherForm());
    }
    // Xvfb runs no window manager: nothing activates the voucher form when a dialog hides.
    void backToTheVoucherForm() {
        tkqt::windowOf(*form_)->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*form_)));
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
};

TEST_P(TypingWindow, AccountsFromTheirDialogsAndTheAmountBalancesTheLine) {
    key(Qt::Key_I, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), widget(QStringLiteral("edCR_Ac_QelName_01")));
    typeKorean(QStringLiteral("현"));
    key(Qt::Key_Tab);
    QWidget* debitDialog = tkqt::windowOf(*Form1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(debitDialog));
    EXPECT_EQ(form_->formMode(), TfmBrenvik::ModeNewVoucher);
    EXPECT_EQ(names(*Form1), QStringList({QStringLiteral("현금")}));
    screenshot(QStringLiteral("voucher-screens"), QStringLiteral("debit-account-dialog"));

    doubleClickRow(*Form1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !debitDialog->isVisible(); }));
    const tk::Edit& debit = form_->edit(QStringLiteral("edCR_Ac_QelName_01"));
    EXPECT_EQ(debit.text(), QStringLiteral("현금"));
    EXPECT_EQ(debit.hint(), QStringLiteral("10101001000"));

    backToTheVoucherForm();
    QTest::mouseClick(widget(QStringLiteral("edDR_Ac_QelName_01")), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), widget(QStringLiteral("edDR_Ac_QelName_01")));
    typeKorean(QStringLiteral("외상매입"));
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
    screenshot(QStringLiteral("voucher-screens"), QStringLiteral("first-line-typed"));
    EXPECT_TRUE(messages_->log().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, TypingWindow, test::allEngines, test::engineName);

}  // namespace
