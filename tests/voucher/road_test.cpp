// The road of one new voucher in Brenvik's real windows, by keyboard alone, ending with a
// picture of the screen (voucher-screens/ in the working folder).

#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/voucher/WindowFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Road : public vtest::WindowTest {
protected:
    // In the dialog the field just left opened: Tab to its grid, a key there writes the
    // current row back, Alt+X closes it.
    static void pickFirstRow(tk::Form& dialog) {
        ASSERT_TRUE(activeWindowIs(dialog));
        for (int tabs = 0; tabs < 8 && dialog.activeControl() != &dialog.control("DBGrid1"); ++tabs) key(Qt::Key_Tab);
        key(Qt::Key_Up);
        key(Qt::Key_X, Qt::AltModifier);
        ASSERT_TRUE(activeWindowIs(*fmBrenvik));
    }

};

TEST_P(Road, ANewVoucherTypedByKeyboardIsStoredAndSelectedInTheGrid) {
    tk::app().event([] { fmBrenvik->show(); });
    ASSERT_TRUE(activeWindowIs(*fmBrenvik));

    key(Qt::Key_I, Qt::AltModifier);
    typeKorean(QStringLiteral("현금"));
    key(Qt::Key_Tab);
    pickFirstRow(*Form1);
    for (int field = 0; field < 4; ++field) key(Qt::Key_Tab);  // customer to summary
    typeKorean(QStringLiteral("현금 입금"));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);  // the item
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1250000"));
    key(Qt::Key_Tab);
    typeKorean(QStringLiteral("보통예"));
    key(Qt::Key_Tab);
    pickFirstRow(*Form7);
    key(Qt::Key_S, Qt::AltModifier);

    EXPECT_EQ(messages_->texts(), QStringList());
    const QString serial = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("-00000001");
    db::Query q(db());
    q.setSql({QStringLiteral("select Serial, Ac_QelName, Ac_Text, Cr_Amt, Dr_Amt, End_Day from Account_Qel_AA order by Serial")});
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    for (const char* side : {"01", "02"}) {
        const bool debit = QLatin1String(side) == QLatin1String("01");
        EXPECT_EQ(q.fieldText("Serial"), QStringLiteral("AA*00000*3*%1*01*A003*%2").arg(serial, QLatin1String(side)));
        EXPECT_EQ(q.fieldText("Ac_QelName"), debit ? QStringLiteral("현금") : QStringLiteral("보통예금"));
        EXPECT_EQ(q.fieldText("Ac_Text"), QStringLiteral("현금 입금"));
        EXPECT_EQ(q.fieldDouble("Cr_Amt"), debit ? 1250000 : 0);
        EXPECT_EQ(q.fieldDouble("Dr_Amt"), debit ? 0 : 1250000);
        EXPECT_FALSE(q.fieldText("End_Day").isEmpty());
        q.next();
    }
    auto* grid = qobject_cast<QAbstractItemView*>(tkqt::widgetOf(fmBrenvik->grid("DBGrid1")));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(fmBrenvik->query("Query1").fieldText("serial_ttt"), serial + QStringLiteral("01"));
    EXPECT_EQ(grid->currentIndex().row(), fmBrenvik->query("Query1").recNo());
    EXPECT_EQ(fmBrenvik->activeControl()->name(), QStringLiteral("InsertBtn"));

    QDir().mkpath(QStringLiteral("voucher-screens"));
    const QString png = QStringLiteral("voucher-screens/road-%1.png").arg(QString::fromStdString(test::engineName({GetParam(), 0})));
    QTest::qWait(200);
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), png}), 0);
    EXPECT_TRUE(QFile::exists(png));
}

INSTANTIATE_TEST_SUITE_P(Engines, Road, test::allEngines, test::engineName);

}  // namespace
