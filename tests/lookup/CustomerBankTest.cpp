// The customer-and-bank search: one list of customers and banks, filtered by kind.
#include "tests/lookup/LookupFixture.h"

#include "lookup/Qel_Unit3_02.h"
#include "tests/support/Clerk.h"

#include <gtest/gtest.h>

namespace lookuptest {
namespace {

class CustomerBank : public LookupTest {
protected:
    void SetUp() override {
        LookupTest::SetUp();
        addCustomer("C001", "한빛상사");
        addBank("C001", "한빛은행", "111-222-333");
        addCustomer("A100", "대한상사");
        addBank("B200", "국민은행", "444-555");
    }

    QStringList codesWithFilter(int item, const QString& text = {}) {
        Form2->comboBox("cbCheck").setItemIndex(item);
        prepare(*Form2, "1", text);
        Form2->pQuery();
        return column(*Form2, "Tot_Code");
    }
};

TEST_P(CustomerBank, FilterKeepsTheChosenKind) {
    EXPECT_EQ(codesWithFilter(0), QStringList({"A100", "B200", "C001", "C001"}));

    EXPECT_EQ(codesWithFilter(1), QStringList({"A100", "C001"}));
    EXPECT_EQ(column(*Form2, "Tot_Kubun"), QStringList({"거래처", "거래처"}));
    EXPECT_EQ(column(*Form2, "Tot_No"), QStringList({"123-45-67890", "123-45-67890"}));

    EXPECT_EQ(codesWithFilter(2), QStringList({"B200", "C001"}));
    EXPECT_EQ(column(*Form2, "Tot_Kubun"), QStringList({"은행명", "은행명"}));
    EXPECT_EQ(column(*Form2, "Tot_No"), QStringList({"444-555", "111-222-333"}));

    EXPECT_EQ(codesWithFilter(-1), QStringList({"A100", "B200", "C001", "C001"}));
}

TEST_P(CustomerBank, CustomerAndBankOfOneCodeStandSideBySide) {
    EXPECT_EQ(codesWithFilter(0, "한빛"), QStringList({"C001", "C001"}));
    QStringList names = column(*Form2, "Tot_Name");
    names.sort();
    EXPECT_EQ(names, QStringList({"한빛상사", "한빛은행"}));
    QStringList kinds = column(*Form2, "Tot_Kubun");
    kinds.sort();
    EXPECT_EQ(kinds, QStringList({"거래처", "은행명"}));
}

TEST_P(CustomerBank, BlanksInTheSearchTextAreDropped) {
    addCustomer("E500", "한빛 상사");
    EXPECT_EQ(codesWithFilter(0, " 한빛 상사 "), QStringList({"C001"}));
    EXPECT_EQ(codesWithFilter(0, "   "), QStringList({"A100", "B200", "C001", "C001", "E500"}));
}

TEST_P(CustomerBank, OnlyTheClerksChoiceOfFilterSearches) {
    prepare(*Form2, "1", "한빛");
    Form2->comboBox("cbCheck").setItemIndex(0);
    Form2->show();
    EXPECT_EQ(rows(*Form2), -1) << "setting the filter from code runs no search";

    tk::Clerk clerk(*Form2);
    clerk.pick("cbCheck", 2);
    EXPECT_EQ(column(*Form2, "Tot_Name"), QStringList({"한빛은행"}));
    clerk.pick("cbCheck", 1);
    EXPECT_EQ(column(*Form2, "Tot_Name"), QStringList({"한빛상사"}));

    // A text typed into the filter selects no item: both kinds are listed.
    clerk.focus("cbCheck");
    clerk.selectAllAndType("x");
    EXPECT_EQ(Form2->comboBox("cbCheck").itemIndex(), -1);
    EXPECT_EQ(rows(*Form2), 2);
}

TEST_P(CustomerBank, EnterMovesFromFilterToSearchFieldAndSearches) {
    Form2->comboBox("cbCheck").setItemIndex(0);
    prepare(*Form2, "1", "");
    Form2->show();
    tk::Clerk clerk(*Form2);
    EXPECT_EQ(Form2->activeControl()->name(), "cbCheck");
    clerk.enter();
    EXPECT_EQ(Form2->activeControl()->name(), "edSearch");
    EXPECT_EQ(rows(*Form2), -1);
    clerk.type("국민");
    clerk.enter();
    EXPECT_EQ(Form2->activeControl()->name(), "SearchBtn");
    EXPECT_EQ(column(*Form2, "Tot_Code"), QStringList({"B200"}));
    EXPECT_EQ(Form2->edit("edSearch").text(), "국민");
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerBank, test::allEngines, test::engineName);

}  // namespace
}  // namespace lookuptest
