// The frame all seven dialogs share: layout, centring, Alt+F4, closing, Enter and the
// search field's exit, and where the focus goes when a dialog is shown again.
#include "tests/lookup/LookupFixture.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_07.h"
#include "platform/Screen.h"
#include "tests/support/Clerk.h"

#include <gtest/gtest.h>

namespace lookuptest {
namespace {

class Frame : public LookupTest {
protected:
    // One row in every lookup table, so that a blank search lists one row in each dialog.
    void addOneRowEach() {
        addAccount("10101001000", "현금", "10101", std::nullopt, std::nullopt);
        addCustomer("C001", "한빛상사");
        addNameRow("Sawon", "S001", "홍길동");
        addNameRow("Buser", "B001", "총무부");
        addNameRow("Project", "P001", "신축공사");
        addNameRow("Item", "I001", "관리항목");
    }

    // Searched with a blank text and shown, as the voucher form leaves a dialog.
    void openWithOneRow(lookup::LookupDialog& dialog) {
        prepare(dialog, "9", "");
        if (&dialog == Form2) Form2->comboBox("cbCheck").setItemIndex(0);
        dialog.search();
        ASSERT_EQ(rows(dialog), 1);
        dialog.show();
    }

    static bool isAccountDialog(const tk::Form& dialog) { return &dialog == Form1 || &dialog == Form7; }
};

struct Layout {
    QString caption;
    int width, height;
    QString label2, label3;
    int searchLeft;
    QStringList fields;
    bool emptyFirstColumn;
};

TEST_P(Frame, EachDialogHasTheFrameWithItsOwnTextsAndColumns) {
    const QStringList accountFields = {"ac_code", "ac_name01", "ac_name02"};
    const std::vector<Layout> expected = {
        {"회계 계정과목을 검색하는 창입니다.", 698, 673, "선택한 계정과목", "검색할 계정과목명 등록", 385, accountFields, true},
        {"회계 계정과목을 검색하는 창입니다.", 698, 673, "선택한 계정과목", "검색할 계정과목명 등록", 385, accountFields, true},
        {"거래처및은행명의 코드를 검색하는 차입니다.", 844, 616, "선택한 거래처및은행명", "검색할 거래처 및 은행명등을 등록", 518,
         {"Tot_Code", "Tot_Name", "Tot_No", "Tot_Kubun"}, true},
        {"사원이름을 검색하는 창입니다.", 788, 680, "선택한 사원이름", "검색할 사원이름 등록", 459,
         {"Sawon_Code", "Sawon_Name", "Sawon_Kubun", "Sawon_Jumin", "Sawon_Text"}, true},
        {"부서이름을 검색하는 창입니다.", 775, 646, "선택한 부서이름", "검색할 부서이름 등록", 459,
         {"Buser_Code", "Buser_Name", "Buser_Text"}, false},
        {"프로젝트이름을 검색하는 창입니다.", 775, 689, "선택한 프로젝트이름", "검색할 프로젝트이름 등록", 459,
         {"Project_Code", "Project_Name", "Project_Text"}, true},
        {"아이템 명을 검색하는 창입니다.", 775, 710, "선택한 아이템 명", "검색할 아이템 명 등록", 459,
         {"Item_Code", "Item_Name", "Item_Text"}, true},
    };
    const auto all = dialogs();
    for (size_t i = 0; i < all.size(); ++i) {
        const lookup::LookupDialog& d = *all[i];
        const Layout& e = expected[i];
        SCOPED_TRACE(d.name().toStdString());
        EXPECT_EQ(d.caption(), e.caption);
        EXPECT_EQ(d.clientWidth(), e.width);
        EXPECT_EQ(d.clientHeight(), e.height);
        EXPECT_EQ(d.borderStyle(), tk::BorderStyle::Single);
        EXPECT_FALSE(d.systemMenu || d.minimizeBox || d.maximizeBox);
        EXPECT_EQ(d.label("Label1").text(), "선택한 코드");
        EXPECT_EQ(d.label("Label2").text(), e.label2);
        EXPECT_EQ(d.label("Label3").text(), e.label3);
        EXPECT_EQ(d.edit("edSearch").geometry().left, e.searchLeft);
        EXPECT_FALSE(d.edit("edAc_code2").enabled());
        EXPECT_FALSE(d.edit("edAc_Name2").enabled());
        EXPECT_EQ(d.grid("DBGrid1").geometry().top + d.grid("DBGrid1").geometry().height, e.height);
        QStringList captions;
        for (const char* b : {"InsertBtn", "CancelBtn", "SaveBtn", "DeleteBtn", "PrintBtn", "CloseBtn"})
            if (d.button(b).enabled()) captions << d.button(b).text();
        EXPECT_EQ(captions, QStringList({"&X 종료"}));

        std::vector<tk::GridColumn> columns = d.grid("DBGrid1").columns();
        if (e.emptyFirstColumn) {
            ASSERT_FALSE(columns.empty());
            EXPECT_TRUE(columns.front().field.isEmpty());
            EXPECT_EQ(columns.front().width, 0);
            columns.erase(columns.begin());
        }
        QStringList fields;
        for (const tk::GridColumn& c : columns) fields << c.field;
        EXPECT_EQ(fields, e.fields);

        // Tab order over the enabled controls, from the first.
        QStringList order;
        const tk::Control* c = d.findNextControl(nullptr, true);
        for (int n = 0; c && n < 6 && !order.contains(c->name()); ++n, c = d.findNextControl(const_cast<tk::Control*>(c), true))
            order << c->name();
        const QStringList frameOrder = {"edSearch", "SearchBtn", "CloseBtn", "DBGrid1"};
        EXPECT_EQ(order, &d == Form2 ? QStringList("cbCheck") + frameOrder : frameOrder);
    }
    EXPECT_EQ(Form2->comboBox("cbCheck").items(), QStringList({"전   체", "거래처", "은행명"}));
}

TEST_P(Frame, CentredWhenCreatedAndReopenedWhereLeft) {
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        const platform::Position centre = platform::centeredPosition(dialog->width(), dialog->height());
        EXPECT_EQ(dialog->left(), centre.left);
        EXPECT_EQ(dialog->top(), centre.top);
        EXPECT_TRUE(dialog->keyPreview());
        EXPECT_FALSE(dialog->visible());

        prepare(*dialog, "9", "");
        dialog->show();
        dialog->setPosition(3, 4);  // dragged away
        dialog->close();
        dialog->show();
        EXPECT_EQ(dialog->left(), 3);
        EXPECT_EQ(dialog->top(), 4);
    }
}

TEST_P(Frame, AltF4IsRefusedWhereverTheFocusIs) {
    addOneRowEach();
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        openWithOneRow(*dialog);
        tk::Clerk clerk(*dialog);
        clerk.focus("edSearch");
        clerk.press(tk::vk::F4, tk::ssAlt);
        clerk.focus("DBGrid1");
        clerk.press(tk::vk::F4, tk::ssAlt | tk::ssShift);
        EXPECT_TRUE(dialog->visible());
        EXPECT_EQ(dialog->activeControl()->name(), "DBGrid1");
        dialog->close();
    }
    ASSERT_EQ(messages().size(), 14u);
    for (const tk::Message& m : messages()) {
        EXPECT_EQ(m.kind, tk::Message::Kind::Plain);
        EXPECT_EQ(m.caption, "Brenvik");
        EXPECT_EQ(m.text, "현재 \"Alt+F4\"키는 종료를 못 시킵니다");
    }
}

TEST_P(Frame, AltXHidesWithoutSearching) {
    addOneRowEach();
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        openWithOneRow(*dialog);
        tk::Clerk clerk(*dialog);
        clerk.focus("edSearch");
        clerk.type("zzz");
        clerk.alt('X');
        EXPECT_FALSE(dialog->visible());
        EXPECT_EQ(rows(*dialog), 1);
        EXPECT_EQ(dialog->edit("edSearch").text(), "zzz");
        EXPECT_EQ(dialog->edit("edSearch").hint(), "9");
    }
    EXPECT_TRUE(messages().empty());
}

TEST_P(Frame, CloseButtonFromSearchFieldSearchesFirstInNameDialogs) {
    addOneRowEach();
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        openWithOneRow(*dialog);
        tk::Clerk clerk(*dialog);
        clerk.focus("edSearch");
        clerk.type("zzz");
        clerk.click("CloseBtn");
        EXPECT_FALSE(dialog->visible());
        EXPECT_EQ(rows(*dialog), isAccountDialog(*dialog) ? 1 : 0);
    }
}

TEST_P(Frame, EnterSearchesAndSecondEnterSearchesAgain) {
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        prepare(*dialog, "9", "");
        if (dialog == Form2) Form2->comboBox("cbCheck").setItemIndex(0);
        dialog->show();
        tk::Clerk clerk(*dialog);
        clerk.focus("edSearch");
        clerk.type("qq");
        clerk.enter();
        EXPECT_EQ(dialog->activeControl()->name(), "SearchBtn");
        EXPECT_EQ(rows(*dialog), 0);
    }
    // Rows that only a new search can find.
    addAccount("10101001000", "qq계정", "10101", std::nullopt, std::nullopt);
    addBank("K001", "qq은행", "1-2");
    addNameRow("Sawon", "S001", "qq사원");
    addNameRow("Buser", "B001", "qq부서");
    addNameRow("Project", "P001", "qq공사");
    addNameRow("Item", "I001", "qq항목");
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        tk::Clerk clerk(*dialog);
        clerk.enter();
        EXPECT_EQ(rows(*dialog), 1);
        clerk.alt('R');
        EXPECT_EQ(dialog->activeControl()->name(), "SearchBtn");
    }
}

TEST_P(Frame, ShownAgainTheFocusReturnsWhereItWas) {
    addOneRowEach();
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        openWithOneRow(*dialog);
        tk::Clerk clerk(*dialog);
        clerk.focus("DBGrid1");
        clerk.alt('X');
        ASSERT_FALSE(dialog->visible());
        dialog->show();
        EXPECT_EQ(dialog->activeControl()->name(), "DBGrid1");
        EXPECT_FALSE(dialog->edit("edAc_code2").text().isEmpty()) << "the key in the grid took the row";
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, Frame, test::allEngines, test::engineName);

}  // namespace
}  // namespace lookuptest
