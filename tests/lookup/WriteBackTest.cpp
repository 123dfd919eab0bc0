// A row taken from a dialog's grid reaches the voucher form's fields that the line key names.
#include "tests/lookup/LookupFixture.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_04.h"
#include "lookup/Qel_Unit3_05.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/support/Clerk.h"

#include <gtest/gtest.h>
#include <utility>

namespace lookuptest {
namespace {

struct Field {
    QString text, code;
    bool operator==(const Field& o) const { return text == o.text && code == o.code; }
};
void PrintTo(const Field& f, std::ostream* os) { *os << '"' << f.text.toStdString() << "\" [" << f.code.toStdString() << ']'; }

class WriteBack : public LookupTest {
protected:
    void SetUp() override {
        LookupTest::SetUp();
        addAccount("10101001000", "현금", "10101", std::nullopt, std::nullopt);
        addAccount("10101002000", "보통예금", "10101", std::nullopt, std::nullopt);
        addCustomer("C001", "한빛상사");
        addBank("K001", "국민은행", "111-222");
        for (const char* kind : {"Sawon", "Buser", "Project", "Item"}) {
            addNameRow(kind, QStringLiteral("%1-1").arg(kind), QStringLiteral("첫째 %1").arg(kind));
            addNameRow(kind, QStringLiteral("%1-2").arg(kind), QStringLiteral("둘째 %1").arg(kind));
        }
        // What the clerk had in the voucher form's code fields before.
        for (tk::Control* c : voucherForm().allControls()) {
            if (c->kind() == tk::ControlKind::Edit && c->name().contains("Name_0")) {
                c->setText("이전");
                c->setHint("OLD");
            }
        }
    }

    Field field(const QString& name) const {
        const tk::Edit& e = voucherForm().edit(name);
        return {e.text(), e.hint()};
    }

    // Searched with a blank text and shown, as the voucher form leaves it.
    static tk::Clerk open(lookup::LookupDialog& dialog, const QString& lineKey, const QString& text = {}) {
        prepare(dialog, lineKey, text);
        if (&dialog == Form2) Form2->comboBox("cbCheck").setItemIndex(0);
        dialog.search();
        dialog.show();
        return tk::Clerk(dialog);
    }

    static const Field kOld;
};
const Field WriteBack::kOld = {"이전", "OLD"};

// The five name dialogs with the middle of their field names and their two rows.
std::vector<std::pair<lookup::LookupDialog*, QString>> nameDialogs() {
    return {{Form2, "Kubun"}, {Form3, "Sawon"}, {Form4, "Buser"}, {Form5, "Project"}, {Form6, "Item"}};
}

TEST_P(WriteBack, AccountDialogWritesTheAccountOfItsRowAndLineAlone) {
    tk::Clerk debit = open(*Form1, "2");
    debit.clickCell("DBGrid1", 1);
    EXPECT_EQ(field("edCR_Ac_QelName_02"), (Field{"보통예금", "10101002000"}));
    EXPECT_EQ(field("edDR_Ac_QelName_02"), kOld);
    EXPECT_EQ(field("edCR_Ac_QelName_01"), kOld);
    EXPECT_EQ(Form1->edit("edAc_code2").text(), "10101002000");
    EXPECT_EQ(Form1->edit("edAc_Name2").text(), "보통예금");
    EXPECT_TRUE(Form1->visible());
    debit.dblClick("DBGrid1");
    EXPECT_FALSE(Form1->visible());

    tk::Clerk credit = open(*Form7, "3");
    credit.clickCell("DBGrid1", 0);
    credit.dblClick("DBGrid1");
    EXPECT_EQ(field("edDR_Ac_QelName_03"), (Field{"현금", "10101001000"}));
    EXPECT_EQ(field("edCR_Ac_QelName_03"), kOld);
    EXPECT_FALSE(Form7->visible());
}

TEST_P(WriteBack, NameDialogFillsBothRowsOrTheCreditRowByLineKey) {
    for (auto [dialog, kind] : nameDialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        tk::Clerk clerk = open(*dialog, "1");
        const QStringList codes = column(*dialog, dialog == Form2 ? "Tot_Code" : kind + "_Code");
        const QStringList names = column(*dialog, dialog == Form2 ? "Tot_Name" : kind + "_Name");
        clerk.clickCell("DBGrid1", 0);
        const Field first{names[0], codes[0]}, second{names[1], codes[1]};
        EXPECT_EQ(field("edCR_" + kind + "_Name_01"), first);
        EXPECT_EQ(field("edDR_" + kind + "_Name_01"), first);
        EXPECT_TRUE(dialog->visible());

        prepare(*dialog, "45", dialog->edit("edSearch").text());
        clerk.clickCell("DBGrid1", 1);
        EXPECT_EQ(field("edDR_" + kind + "_Name_04"), second);
        EXPECT_EQ(field("edCR_" + kind + "_Name_04"), kOld);
        EXPECT_EQ(field("edDR_" + kind + "_Name_01"), first);
        clerk.dblClick("DBGrid1");
        EXPECT_FALSE(dialog->visible());
    }
}

TEST_P(WriteBack, OtherLineKeysWriteNothingYetCloseOnlyNameDialogs) {
    for (lookup::LookupDialog* dialog : dialogs()) {
        SCOPED_TRACE(dialog->name().toStdString());
        tk::Clerk clerk = open(*dialog, "46");
        clerk.clickCell("DBGrid1", 1);
        clerk.dblClick("DBGrid1");
        EXPECT_FALSE(dialog->edit("edAc_code2").text().isEmpty());
        const bool account = dialog == Form1 || dialog == Form7;
        EXPECT_EQ(dialog->visible(), account);
        if (account) dialog->close();
    }
    for (tk::Control* c : voucherForm().allControls()) {
        if (c->kind() == tk::ControlKind::Edit && c->name().contains("Name_0")) {
            EXPECT_EQ(c->text(), "이전") << c->name().toStdString();
            EXPECT_EQ(c->hint(), "OLD") << c->name().toStdString();
        }
    }
}

// A search that found nothing: a key (the Tab that opened the dialog coming up in
// its grid) or a double click writes nothing back; the double click still closes.
TEST_P(WriteBack, EmptyResultWritesNothingBack) {
    tk::Clerk accounts = open(*Form1, "1", "없는계정");
    ASSERT_EQ(rows(*Form1), 0);
    accounts.focus("DBGrid1");  // leaving the search field searches again: still nothing
    Form1->userKeyUp(tk::vk::Tab, tk::ssNone);
    accounts.press(tk::vk::Shift);
    EXPECT_EQ(field("edCR_Ac_QelName_01"), kOld);
    accounts.dblClick("DBGrid1");
    EXPECT_EQ(field("edCR_Ac_QelName_01"), kOld);
    EXPECT_FALSE(Form1->visible());

    tk::Clerk employees = open(*Form3, "3", "없는사람");
    employees.dblClick("DBGrid1");
    EXPECT_EQ(field("edCR_Sawon_Name_03"), kOld);
    EXPECT_EQ(field("edDR_Sawon_Name_03"), kOld);
    EXPECT_EQ(Form3->edit("edAc_Name2").text(), "");
    EXPECT_FALSE(Form3->visible());
}

TEST_P(WriteBack, ArrowKeyWritesTheOldRowOnKeyDownAndTheNewOneOnKeyUp) {
    tk::Clerk clerk = open(*Form4, "2");
    clerk.focus("DBGrid1");
    Form4->userKeyDown(tk::vk::Down, tk::ssNone);
    EXPECT_EQ(field("edCR_Buser_Name_02"), (Field{"첫째 Buser", "Buser-1"}));
    Form4->userKeyUp(tk::vk::Down, tk::ssNone);
    EXPECT_EQ(field("edCR_Buser_Name_02"), (Field{"둘째 Buser", "Buser-2"}));
    EXPECT_EQ(field("edDR_Buser_Name_02"), (Field{"둘째 Buser", "Buser-2"}));

    tk::Clerk accounts = open(*Form7, "4");
    accounts.focus("DBGrid1");
    accounts.press(tk::vk::Down);
    EXPECT_EQ(field("edDR_Ac_QelName_04"), (Field{"보통예금", "10101002000"}));
}

TEST_P(WriteBack, LineKeyThatIsNoNumberEndsTheEventWithAnError) {
    tk::Clerk clerk = open(*Form5, "x");
    clerk.clickCell("DBGrid1", 0);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, tk::Message::Kind::Error);
    EXPECT_EQ(Form5->edit("edAc_code2").text(), "Project-1");
    EXPECT_EQ(field("edCR_Project_Name_01"), kOld);
}

INSTANTIATE_TEST_SUITE_P(Engines, WriteBack, test::allEngines, test::engineName);

}  // namespace
}  // namespace lookuptest
