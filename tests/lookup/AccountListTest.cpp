// The debit-row and credit-row account lists: which accounts each offers, the remark column,
// and how the search text becomes the pattern.
#include "tests/lookup/LookupFixture.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/support/Clerk.h"

#include <gtest/gtest.h>

namespace lookuptest {
namespace {

const QStringList kCostCategories = {"40301", "40302", "40303", "40304", "40305", "40401", "40402", "40403",
                                     "40404", "40501", "40502", "40503", "40701", "41001", "41301", "41501"};

class AccountList : public LookupTest {
protected:
    void addChartOfAccounts() {
        addAccount("10101001000", "현금", "10101", std::nullopt, QStringLiteral("당좌자산 현금"));
        addAccount("10101002000", "보통예금", "10101", std::nullopt, std::nullopt);
        addAccount("10101008000", "외화예금", "10101", std::nullopt, QStringLiteral("당좌"), "XXXXX");
        addAccount("10101009000", "현금 회사설정계정", "10101", std::nullopt, QStringLiteral("당좌"));
        addAccount("40201001000", "상품매출", "40201", QStringLiteral("57"), QStringLiteral("매출 분류"));
        addAccount("40201002000", "제품매출", "40201", QStringLiteral("11"), QStringLiteral("매출 분류"));
        addAccount("40201003000", "용역매출", "40201", std::nullopt, QStringLiteral("매출 분류"));
        addAccount("40901001000", "이자수익", "40901", std::nullopt, QStringLiteral("영업외수익"));
        addAccount("41201001000", "보험차익", "41201", std::nullopt, QStringLiteral("특별이익"));
        for (const QString& category : kCostCategories)
            addAccount(category + "001000", "비용" + category, category, std::nullopt, "분류" + category);
        addAccount("50101001000", "기타계정", "50101", std::nullopt, QStringLiteral("무분류"));
    }

    // The whole list of a dialog: a search with an empty text.
    static QStringList listedCodes(lookup::LookupDialog& dialog) {
        prepare(dialog, "1", "");
        dialog.search();
        return column(dialog, "ac_code");
    }
};

TEST_P(AccountList, SplitsAccountsBetweenDebitAndCreditLists) {
    addChartOfAccounts();
    QStringList debit = {"10101001000", "10101002000", "40201001000"};
    for (const QString& category : kCostCategories) debit << category + "001000";
    debit << "50101001000";
    EXPECT_EQ(listedCodes(*Form1), debit);
    EXPECT_EQ(listedCodes(*Form7), QStringList({"10101001000", "10101002000", "40201002000", "40901001000",
                                                "41201001000", "50101001000"}));
}

TEST_P(AccountList, NameTrimmedAndRemarkOnlyWhereTheCategoryHasABlock) {
    addChartOfAccounts();
    addAccount("10102001000", "상품   ", "10102", std::nullopt, QStringLiteral("재고자산"));

    listedCodes(*Form1);
    const QStringList debitCodes = column(*Form1, "ac_code");
    const QStringList debitNames = column(*Form1, "ac_name01");
    const QStringList debitRemarks = column(*Form1, "ac_name02");
    auto debitRemark = [&](const QString& code) { return debitRemarks.value(debitCodes.indexOf(code), "?"); };
    EXPECT_EQ(debitNames.value(debitCodes.indexOf("10102001000")), "상품");
    EXPECT_EQ(debitRemark("10101001000"), "당좌자산 현금");
    EXPECT_EQ(debitRemark("10101002000"), "");  // no remark stored
    EXPECT_EQ(debitRemark("40201001000"), "매출 분류");
    EXPECT_EQ(debitRemark("41001001000"), "분류41001");
    EXPECT_EQ(debitRemark("50101001000"), "");  // no block for its category

    listedCodes(*Form7);
    const QStringList creditCodes = column(*Form7, "ac_code");
    const QStringList creditRemarks = column(*Form7, "ac_name02");
    EXPECT_EQ(creditRemarks.value(creditCodes.indexOf("40901001000")), "영업외수익");
    EXPECT_EQ(creditRemarks.value(creditCodes.indexOf("40201002000")), "매출 분류");
    EXPECT_EQ(column(*Form7, "ac_name01").value(creditCodes.indexOf("41201001000")), "보험차익");
}

TEST_P(AccountList, BlanksInTheSearchTextAreDropped) {
    addAccount("10101005000", "ab예금", "10101", std::nullopt, std::nullopt);
    addAccount("10101006000", "a b예금", "10101", std::nullopt, std::nullopt);
    addAccount("10101007000", "xabx", "10101", std::nullopt, std::nullopt);

    for (lookup::LookupDialog* dialog : {static_cast<lookup::LookupDialog*>(Form1), static_cast<lookup::LookupDialog*>(Form7)}) {
        SCOPED_TRACE(dialog->name().toStdString());
        prepare(*dialog, "1", "");
        dialog->show();
        tk::Clerk clerk(*dialog);
        clerk.focus("edSearch");
        clerk.type("a b");
        clerk.enter();
        EXPECT_EQ(column(*dialog, "ac_code"), QStringList({"10101005000", "10101007000"}));

        clerk.focus("edSearch");
        clerk.selectAllAndType("   ");
        clerk.enter();
        EXPECT_EQ(rows(*dialog), 3) << "a text of blanks lists the whole list";

        clerk.focus("edSearch");
        clerk.selectAllAndType("10101");
        clerk.enter();
        EXPECT_EQ(rows(*dialog), 0) << "codes are not searched";
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, AccountList, test::allEngines, test::engineName);

}  // namespace
}  // namespace lookuptest
