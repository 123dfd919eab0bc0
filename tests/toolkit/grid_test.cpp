// The data-bound grid on a real SQLite file: rows and cells from the query, key-down and
// key-up around a row move, cell clicks, Tab between columns, number masks.
#include "ToolkitTest.h"

#include "db/Database.h"
#include "db/Query.h"

#include <QTemporaryDir>

using namespace tk;

namespace {

class GridTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        database = db::Database::openSQLite(dir.filePath(QStringLiteral("grid.sqlite")));
        run({QStringLiteral("create table Sawon_Table (Sawon_Code varchar(10), Sawon_Name varchar(20), Amt float)")});
        for (int i = 1; i <= 30; ++i) {
            run({QStringLiteral("insert into Sawon_Table values ('S%1', '사원%1  ', %2)")
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(i == 1 ? -1234.5 : i * 1000000.0 + 0.5, 0, 'f', 1)});
        }
        form = &app().createForm<Form>(QStringLiteral("Form3"));
        search = &form->add<Edit>(QStringLiteral("edSearch"));
        grid = &form->add<DBGrid>(QStringLiteral("DBGrid1"));
        grid->setTabOrder(1);
        grid->setGeometry(Rect{0, 105, 700, 18 * 11});  // a title row and ten data rows
        query = &form->addQuery(QStringLiteral("Query1"), QStringLiteral("Account"));
        query->setDatabase(*database);
        grid->setDataSource(query);
        search->setText(QStringLiteral("%"));
        form->show();
    }
    void TearDown() override {
        ToolkitTest::TearDown();  // the forms and their queries go before the database
        database.reset();
    }
    void run(const QStringList& sql) {
        db::Query q(*database);
        q.setSql(sql);
        q.execSql();
    }
    void searchFor(const QString& pattern) {
        query->close();
        query->setSql({QStringLiteral("select Sawon_Code, Sawon_Name, Amt from Sawon_Table"),
                       QStringLiteral(" where Sawon_Code like :tbName order by Sawon_Code")});
        query->setParamText(QStringLiteral("tbName"), pattern);
        query->open();
    }
    tk::KeyEvent rowLog(const QString& what) {
        return [this, what](Control&, int&, ShiftState) { log << QStringLiteral("%1 %2").arg(what).arg(grid->currentRow()); };
    }

    QTemporaryDir dir;
    std::unique_ptr<db::Database> database;
    Form* form = nullptr;
    Edit* search = nullptr;
    DBGrid* grid = nullptr;
    db::Query* query = nullptr;
};

TEST_F(GridTest, ShowsTheQueryRowsWithEveryFieldWhenNoColumnsAreDesigned) {
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(grid->currentRow(), -1);
    searchFor(QStringLiteral("%"));
    EXPECT_EQ(grid->rowCount(), 30);
    EXPECT_EQ(grid->currentRow(), 0);
    const std::vector<GridColumn> shown = grid->shownColumns();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].field.toLower(), QStringLiteral("sawon_name"));
    EXPECT_EQ(shown[1].width, 64);
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("사원02"));  // trailing blanks dropped
    query->close();
    EXPECT_EQ(grid->rowCount(), 0);
}

TEST_F(GridTest, DisplayFormatGroupsThousandsAndRounds) {
    auto column = [](const QString& field, const QString& format) {
        GridColumn c;
        c.field = field;
        c.title = field;
        c.displayFormat = format;
        return c;
    };
    grid->setColumns({column(QStringLiteral("Sawon_Code"), QString()), column(QStringLiteral("Amt"), QStringLiteral("#,##0")),
                      column(QStringLiteral("Amt"), QStringLiteral("#,##0.00")), column(QString(), QString())});
    searchFor(QStringLiteral("%"));
    EXPECT_EQ(grid->cellText(0, 0), QStringLiteral("S01"));
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("-1,235"));
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("2,000,001"));
    EXPECT_EQ(grid->cellText(1, 2), QStringLiteral("2,000,000.50"));
    EXPECT_EQ(grid->cellText(29, 1), QStringLiteral("30,000,001"));
    EXPECT_EQ(grid->cellText(0, 3), QString());
    EXPECT_EQ(grid->shownColumns().size(), 4u);
}

TEST_F(GridTest, KeyDownSeesTheOldRowAndKeyUpTheNew) {
    searchFor(QStringLiteral("%"));
    grid->onKeyDown = rowLog(QStringLiteral("down"));
    grid->onKeyUp = rowLog(QStringLiteral("up"));
    Clerk clerk(*form);
    clerk.focus(QStringLiteral("DBGrid1"));
    clerk.press(vk::Down);
    clerk.press(vk::Next);
    clerk.press(vk::End);
    clerk.press(vk::Down);  // nothing below the last row
    clerk.press(vk::Prior);
    clerk.press(vk::Home);
    clerk.press(vk::Up);
    EXPECT_EQ(log, (QStringList{"down 0", "up 1", "down 1", "up 11", "down 11", "up 29", "down 29", "up 29",
                                "down 29", "up 19", "down 19", "up 0", "down 0", "up 0"}));
}

TEST_F(GridTest, TabMovesBetweenColumnsOnToTheNextRowAndStaysAtTheLastCell) {
    searchFor(QStringLiteral("S0%"));  // S01 to S09
    Clerk clerk(*form);
    clerk.focus(QStringLiteral("DBGrid1"));
    grid->setCurrentRow(7);
    clerk.tab();
    clerk.tab();
    EXPECT_EQ(grid->currentColumn(), 2);
    clerk.tab();
    EXPECT_EQ(grid->currentRow(), 8);
    EXPECT_EQ(grid->currentColumn(), 0);
    for (int i = 0; i < 5; ++i) clerk.tab();
    EXPECT_EQ(grid->currentRow(), 8);
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_EQ(form->activeControl(), grid);
    clerk.backTab();
    clerk.backTab();
    clerk.backTab();
    EXPECT_EQ(grid->currentRow(), 7);
    EXPECT_EQ(grid->currentColumn(), 2);
}

TEST_F(GridTest, CellClickMovesTheFocusThenTheRowThenRunsTheHandler) {
    searchFor(QStringLiteral("%"));
    // Leaving the search field reruns the search, narrower: the clicked row may be gone.
    search->onExit = [this](Control&) {
        log << QStringLiteral("exit, active %1").arg(form->activeControl()->name());
        searchFor(search->text());
    };
    grid->onClick = [this](Control&) { log << QStringLiteral("cell %1").arg(query->fieldText(QStringLiteral("Sawon_Code"))); };
    grid->onDblClick = [this](Control&) { log << QStringLiteral("double %1").arg(grid->currentRow()); };
    Clerk clerk(*form);
    clerk.clickCell(QStringLiteral("DBGrid1"), 4);
    EXPECT_EQ(log, (QStringList{"exit, active DBGrid1", "cell S05"}));

    log.clear();
    clerk.focus(QStringLiteral("edSearch"));
    clerk.selectAllAndType(QStringLiteral("S1%"));
    clerk.clickCell(QStringLiteral("DBGrid1"), 12);  // ten rows now: a click below them
    EXPECT_EQ(log, QStringList{"exit, active DBGrid1"});
    EXPECT_EQ(grid->currentRow(), 0);

    log.clear();
    clerk.clickCell(QStringLiteral("DBGrid1"), 3);
    clerk.dblClick(QStringLiteral("DBGrid1"));
    EXPECT_EQ(log, (QStringList{"cell S13", "double 3"}));
}

TEST_F(GridTest, CellClickIsCancelledWhenTheExitKeepsTheFocus) {
    searchFor(QStringLiteral("%"));
    search->onExit = [this](Control& c) { form->setFocus(c); };
    grid->onClick = [this](Control&) { log << QStringLiteral("cell"); };
    Clerk(*form).clickCell(QStringLiteral("DBGrid1"), 5);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(form->activeControl(), search);
}

TEST_F(GridTest, AFailedQueryInAHandlerShowsTheErrorAndLeavesTheGridEmpty) {
    Button& button = form->add<Button>(QStringLiteral("SearchBtn"));
    button.onClick = [this](Control&) {
        query->close();
        query->setSql({QStringLiteral("select * from No_Such_Table")});
        query->open();
    };
    searchFor(QStringLiteral("%"));
    Clerk(*form).click(QStringLiteral("SearchBtn"));
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(messages().log()[0].text.contains(QStringLiteral("No_Such_Table"), Qt::CaseInsensitive));
    EXPECT_EQ(grid->rowCount(), 0);
}

}  // namespace
