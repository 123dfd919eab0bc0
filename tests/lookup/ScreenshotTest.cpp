// Each dialog drawn by the Qt widgetset over the demo data, saved as a picture to look at
// (lookup-screens/ in the working folder).
#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_04.h"
#include "lookup/Qel_Unit3_05.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/voucher/WindowFixture.h"

#include <QAbstractItemView>
#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class Screens : public vtest::WindowTest {};

TEST_P(Screens, EveryDialogShowsItsFrameAndRows) {
    const QString engine = GetParam() == test::Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
    QDir().mkpath(QStringLiteral("lookup-screens"));
    for (lookup::LookupDialog* dialog : std::vector<lookup::LookupDialog*>{Form1, Form7, Form2, Form3, Form4, Form5, Form6}) {
        SCOPED_TRACE(dialog->name().toStdString());
        dialog->edit(QStringLiteral("edSearch")).setHint(QStringLiteral("1"));
        dialog->edit(QStringLiteral("edSearch")).setText(QString());
        if (dialog == Form2) Form2->comboBox(QStringLiteral("cbCheck")).setItemIndex(0);
        tk::app().event([&] {
            dialog->search();
            dialog->show();
        });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tkqt::windowOf(*dialog)));
        const int rows = dialog->query(QStringLiteral("Query1")).recordCount();
        EXPECT_GT(rows, 0) << "the demo data has rows for every dialog";
        auto* view = qobject_cast<QAbstractItemView*>(tkqt::widgetOf(dialog->grid(QStringLiteral("DBGrid1"))));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->model()->rowCount(), rows);

        const QString png = QStringLiteral("lookup-screens/%1-%2.png").arg(dialog->name(), engine);
        ASSERT_TRUE(tkqt::grabForm(*dialog, png));
        const QImage shot(png);
        EXPECT_EQ(shot.size() / shot.devicePixelRatio(), QSize(dialog->clientWidth(), dialog->clientHeight()));
        tk::app().event([&] { dialog->close(); });
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, Screens, test::allEngines, test::engineName);

}  // namespace
