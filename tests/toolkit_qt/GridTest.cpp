// The grid shows the query's rows as designed; keys, clicks and double clicks reach the
// model in the order the forms rely on.
#include "QtFormFixture.h"

#include "db/Database.h"
#include "db/Query.h"
#include "toolkit/qt/ControlWidgets.h"

#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>

namespace {

const QString alias = QStringLiteral("TkQtGrid");

class GridForm : public tk::Form {
public:
    GridForm() : tk::Form(QStringLiteral("fmGrid")) {
        setCaption(QStringLiteral("전표 목록"));
        setClientSize(500, 200);
        auto& search = add<tk::Edit>(QStringLiteral("edSearch"));
        search.setGeometry({10, 10, 150, 21});
        auto& grid = add<tk::DBGrid>(QStringLiteral("DBGrid1"));
        grid.setGeometry({10, 40, 480, 150});
        grid.setTabOrder(1);
        db::Query& q = addQuery(QStringLiteral("Query1"), alias);
        q.addSql(QStringLiteral("select serial, name, amount from lines order by serial"));
        grid.setDataSource(&q);
        using A = tk::GridColumn::Align;
        grid.setColumns({{QString(), QString(), 0, QString(), A::Left},
                         {QStringLiteral("name"), QStringLiteral("계정과목  이름"), 125, QString(), A::Center},
                         {QStringLiteral("amount"), QStringLiteral("차  변   금  액"), 115, QStringLiteral("#,##0"), A::Center}});
    }
};

class QtGrid : public QtFormTest {
protected:
    void SetUp() override {
        QtFormTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        auto database = db::Database::openSQLite(dir.filePath(QStringLiteral("grid.sqlite")));
        db::Query setup(*database);
        for (const char* sql : {"create table lines (serial varchar(10), name varchar(40), amount float)",
                                "insert into lines values ('01', '현금', 1234567)",
                                "insert into lines values ('02', '보통예금', 50000)",
                                "insert into lines values ('03', '외상매출금', 0)"}) {
            setup.clearSql();
            setup.addSql(QString::fromUtf8(sql));
            setup.execSql();
        }
        db::Database::adopt(alias, std::move(database));
        form = &tk::app().createForm<GridForm>();
        form->query(QStringLiteral("Query1")).open();
        ASSERT_TRUE(showAndActivate(*form));
    }
    void TearDown() override {
        QtFormTest::TearDown();
        db::Database::closeAll();
    }

    tk::DBGrid& grid() { return form->grid(QStringLiteral("DBGrid1")); }
    tkqt::TkGridView* view() { return qobject_cast<tkqt::TkGridView*>(tkqt::widgetOf(grid())); }
    QPoint cellCentre(int row, int column) { return view()->visualRect(view()->model()->index(row, column)).center(); }
    QString indicator(int row) { return view()->model()->headerData(row, Qt::Vertical, Qt::DisplayRole).toString(); }

    QTemporaryDir dir;
    GridForm* form = nullptr;
};

TEST_F(QtGrid, ShowsTheQueryRowsWithTheDesignedTitlesAndWidths) {
    QAbstractItemModel* m = view()->model();
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 3);
    EXPECT_TRUE(view()->isColumnHidden(0));  // width 0: not shown
    EXPECT_EQ(view()->columnWidth(1), 125);
    EXPECT_EQ(view()->columnWidth(2), 115);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "계정과목  이름");
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(m->data(m->index(0, 1)).toString(), "현금");
    EXPECT_EQ(m->data(m->index(0, 2)).toString(), "1,234,567");
    EXPECT_EQ(m->data(m->index(2, 2)).toString(), "0");
    EXPECT_EQ(indicator(0), QStringLiteral("\u25B6"));
    EXPECT_TRUE(indicator(1).isEmpty());
    EXPECT_EQ(view()->verticalHeader()->defaultSectionSize(), tk::DBGrid::RowHeight);
    EXPECT_EQ(view()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(view()->selectionBehavior(), QAbstractItemView::SelectRows);
    const QString png = QDir::temp().filePath(QStringLiteral("tkqt_grid_form.png"));
    ASSERT_TRUE(tkqt::grabForm(*form, png));
    EXPECT_FALSE(QImage(png).isNull());
    // Closing the query empties the grid.
    form->query(QStringLiteral("Query1")).close();
    EXPECT_EQ(m->rowCount(), 0);
}

TEST_F(QtGrid, AKeyRunsKeyDownOnTheOldRowAndKeyUpOnTheNewOne) {
    std::vector<int> downs, ups;
    grid().onKeyDown = [&](tk::Control&, int&, tk::ShiftState) { downs.push_back(grid().currentRow()); };
    grid().onKeyUp = [&](tk::Control&, int&, tk::ShiftState) { ups.push_back(grid().currentRow()); };
    form->setFocus(grid());
    ASSERT_EQ(focusWidget(), view());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Down);
    EXPECT_EQ(downs, std::vector<int>({0}));
    EXPECT_EQ(ups, std::vector<int>({1}));
    EXPECT_EQ(view()->currentIndex().row(), 1);
    EXPECT_EQ(indicator(1), QStringLiteral("\u25B6"));
    EXPECT_TRUE(indicator(0).isEmpty());
    EXPECT_EQ(form->query(QStringLiteral("Query1")).fieldText(QStringLiteral("name")), "보통예금");
    // A key that moves nothing still reaches both handlers.
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_End);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Down);
    EXPECT_EQ(downs, std::vector<int>({0, 1, 2}));
    EXPECT_EQ(ups, std::vector<int>({1, 2, 2}));
}

TEST_F(QtGrid, ACellClickComesOnReleaseWithTheRowUnderThePointerAfterTheExit) {
    // Leaving the search field re-reads the rows in the other order.
    form->edit(QStringLiteral("edSearch")).onExit = [&](tk::Control&) {
        db::Query& q = form->query(QStringLiteral("Query1"));
        q.close();
        q.clearSql();
        q.addSql(QStringLiteral("select serial, name, amount from lines order by serial desc"));
        q.open();
    };
    QStringList taken;
    grid().onClick = [&](tk::Control&) { taken << form->query(QStringLiteral("Query1")).fieldText(QStringLiteral("name")); };
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
    EXPECT_EQ(form->activeControl(), &grid());
    EXPECT_EQ(focusWidget(), view());
    EXPECT_EQ(grid().currentRow(), 1);
    EXPECT_EQ(taken, QStringList({"보통예금"}));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(0, 2));
    EXPECT_EQ(taken, QStringList({"보통예금", "외상매출금"}));
    EXPECT_EQ(view()->currentIndex().row(), 0);
}

TEST_F(QtGrid, ATitleClickTakesNothingAndADoubleClickWorksAnywhere) {
    int cellClicks = 0, doubleClicks = 0;
    grid().onClick = [&](tk::Control&) { ++cellClicks; };
    grid().onDblClick = [&](tk::Control&) { ++doubleClicks; };
    QHeaderView* titles = view()->horizontalHeader();
    const QPoint title(titles->sectionViewportPosition(1) + 10, titles->height() / 2);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(cellClicks, 0);
    EXPECT_EQ(form->activeControl(), &grid());
    QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(doubleClicks, 1);
    // Press and release, then the second press that Qt turns into the double click.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    EXPECT_EQ(doubleClicks, 2);
    EXPECT_EQ(grid().currentRow(), 2);
    EXPECT_EQ(cellClicks, 1);  // the first click of the pair
}

TEST_F(QtGrid, AFormThatGoesTakesItsWindowWithIt) {
    QPointer<tkqt::TkGridView> shown = view();
    QPointer<QWidget> window = tkqt::windowOf(*form);
    ASSERT_TRUE(window->isVisible());
    tk::app().reset();  // the forms go while their windows are still there
    form = nullptr;
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
    // Until the event loop deletes it, the window reads nothing of the form and feeds it nothing.
    shown->viewport()->repaint();
    EXPECT_EQ(shown->model()->data(shown->model()->index(0, 1)).toString(), QString());
    QTest::mouseClick(shown->viewport(), Qt::LeftButton);
    QTest::keyClick(window, Qt::Key_Down);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

}  // namespace
