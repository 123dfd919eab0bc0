// A clerk types the first line of a voucher in Brenvik's real windows, with real keys and
// mouse clicks: the account dialogs open from the fields and a double click writes back.

#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/voucher/WindowFixture.h"
#include "toolkit/qt/ControlWidgets.h"
#include "toolkit/qt/QtServices.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

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

// The X server's own stacking order: the top-level windows under the root, bottom first.
std::vector<xcb_window_t> stackingOrder() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree) return {};
    const xcb_window_t* children = xcb_query_tree_children(tree);
    std::vector<xcb_window_t> order(children, children + xcb_query_tree_children_length(tree));
    std::free(tree);
    return order;
}

// Whether `upper` lies above `lower` on the screen (no window manager frames them).
bool stackedAbove(const QWidget* upper, const QWidget* lower) {
    const std::vector<xcb_window_t> order = stackingOrder();
    const auto at = [&](const QWidget* w) {
        return std::find(order.begin(), order.end(), xcb_window_t(w->winId())) - order.begin();
    };
    return at(upper) < std::ptrdiff_t(order.size()) && at(upper) > at(lower);
}

// Answers the next message box with Enter from the X server's keyboard, as a clerk does (the
// activation then comes back to the window beneath later, through the X server), and keeps
// its text; without xdotool the box is closed unread.
void answerWithEnter(QString& text) {
    QTimer::singleShot(0, [&text] {
        if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; })) return;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !QTest::qWaitForWindowActive(box)) return;
        const QString id = QString::number(box->winId());
        text = box->text();
        if (QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), id,
                                                         QStringLiteral("key"), QStringLiteral("Return")}) != 0) {
            text.clear();
            box->reject();
        }
    });
}

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

// The warning's box took the activation; the voucher window comes back to the front while
// the office list opens, and the list must stay above it.
TEST_P(TypingWindow, TheOfficeListOpensAboveTheVoucherWindowAfterTheWarning) {
    tk::app().setMessageService(std::make_unique<tkqt::QtMessageService>());
    tk::ComboBox& offices = form_->comboBox(QStringLiteral("cbKubun"));
    auto* list = static_cast<tkqt::TkComboBox*>(widget(QStringLiteral("cbKubun")));
    QTest::mouseClick(list->lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }));
    key(Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !offices.droppedDown(); }));
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_Backspace);
    ASSERT_EQ(offices.itemIndex(), -1);

    key(Qt::Key_I, Qt::AltModifier);
    typeKorean(QStringLiteral("현"));
    QString warning;
    answerWithEnter(warning);
    key(Qt::Key_Tab);
    EXPECT_EQ(warning, QStringLiteral("본지점 구분을 선택하세요."));
    EXPECT_EQ(form_->activeControl(), &offices);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*form_)));
    EXPECT_TRUE(stackedAbove(list->view()->window(), tkqt::windowOf(*form_)));
    screenshot(QStringLiteral("voucher-screens"), QStringLiteral("office-list-after-warning"));
}

INSTANTIATE_TEST_SUITE_P(Engines, TypingWindow, test::allEngines, test::engineName);

}  // namespace
