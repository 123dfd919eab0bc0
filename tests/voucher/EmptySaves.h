#pragma once
// A new voucher whose every line reads zero once its amount fields are left: Save warns, keeps
// the lines, draws no number and stores nothing, and the clerk goes on from the amount. Each
// program's tests include this once and instantiate it with their own forms.

#include "tests/voucher/SaveFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vtest {

struct EmptySave {
    const char* name;
    // Lines 1, 2, ...: nullptr leaves the line alone, "" chooses both accounts and types no
    // amount, any other text is typed as the amount between the two accounts.
    std::vector<const char*> amounts;
    bool saveFromTheLastAmount;  // the last amount typed after the accounts, Alt+S in it
};

using EmptySaveCase = ProgramRow<EmptySave>;

inline const std::vector<EmptySave>& emptySaves() {
    static const std::vector<EmptySave> saves = {
        {"NoAmount", {""}, false},
        {"SixteenDigitsTheFieldBlanks", {"1234567890123456"}, false},
        {"ZeroPointFour", {"0.4"}, false},
        {"ZerosAndEmpty", {"0", "0.00", nullptr, "0"}, false},
        {"ZeroWithDecimalsSavedFromItsField", {nullptr, nullptr, "0.00"}, true},
        // The check waits for the amount's exit, which blanks or rounds what it cannot hold.
        {"SixteenDigitsSavedFromItsField", {"1234567890123456"}, true},
        {"ZeroPointFourSavedFromItsField", {"0.4"}, true},
    };
    return saves;
}

inline std::vector<EmptySaveCase> emptySaveCases(const Program& program, const char* only = nullptr) {
    return rowsFor(emptySaves(), program, only);
}

class NothingToStore : public ProgramTestOf<EmptySave> {};

TEST_P(NothingToStore, WarnsOnTheFirstAmountKeepsTheLinesAndDrawsNoNumber) {
    const EmptySave& k = testCase().row;
    startNewVoucher();
    int last = 0;
    for (int line = 1; line <= int(k.amounts.size()); ++line) {
        if (k.amounts[line - 1]) last = line;
    }
    for (int line = 1; line <= last; ++line) {
        const char* amount = k.amounts[line - 1];
        if (!amount) continue;
        if (*amount && !(k.saveFromTheLastAmount && line == last)) {
            typeLine(line, QLatin1String(amount));
            continue;
        }
        chooseAccount(fields::Side::Debit, line);
        chooseAccount(fields::Side::Credit, line);
        if (*amount) typeAmount(line, QLatin1String(amount));
    }
    c().alt('S');

    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Warning);
    EXPECT_EQ(messages().log()[0].text, QStringLiteral("저장할 금액이 없습니다. 차변 금액을 입력 하세요...."));
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Cr_Amt_01"));
    EXPECT_EQ(form().formMode(), QStringLiteral("3"));
    EXPECT_EQ(buttons(), QStringLiteral("-++--+"));
    EXPECT_EQ(stored(), QStringList());
    EXPECT_EQ(text("edSerial"), QString());
    const auto account = [&](fields::Side side) -> tk::Edit& { return form().lineEdit(side, fields::Field::Account, last); };
    EXPECT_EQ(account(fields::Side::Debit).text() + QLatin1Char('/') + account(fields::Side::Debit).hint(), "현금/" + kCash);
    EXPECT_EQ(account(fields::Side::Credit).text() + QLatin1Char('/') + account(fields::Side::Credit).hint(), "상품/" + kGoods);

    typeAmount(last, QStringLiteral("700"));
    c().alt('S');
    EXPECT_EQ(messages().log().size(), 1u);
    const QString n = fields::lineNumber(last);
    EXPECT_EQ(stored(QStringLiteral("Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt")),
              QStringList({today() + "-00000001/" + n + "/01/700/0", today() + "-00000001/" + n + "/02/0/700"}));
}

// A field whose exit clears the lines, visited before Alt+S in mode "3": Save stores nothing and
// says why, never that an amount is missing, and the clerk can type the voucher again.
struct ClearedSave {
    const char* name;
    const char* visited;
    const char* warning;
};

using ClearedSaveCase = ProgramRow<ClearedSave>;

inline std::vector<ClearedSaveCase> clearedSaveCases(const Program& program) {
    static const std::vector<ClearedSave> saves = {
        {"OfficeList", "cbKubun", "본지점구분을 벗어나면서 입력한 라인이 지워져 저장하지 않았습니다. 다시 입력 하세요...."},
        {"BaseDate", "edDate", "기준일자를 벗어나면서 입력한 라인이 지워져 저장하지 않았습니다. 다시 입력 하세요...."},
    };
    return rowsFor(saves, program);
}

class LinesClearedOnTheWayToSave : public ProgramTestOf<ClearedSave> {};

TEST_P(LinesClearedOnTheWayToSave, StoresNothingSaysWhyAndTheVoucherCanBeTypedAgain) {
    const ClearedSave& k = testCase().row;
    startNewVoucher();
    typeLine(1, QStringLiteral("1234"));
    c().focus(QLatin1String(k.visited));
    c().alt('S');

    EXPECT_EQ(messages().texts(), QStringList(QString::fromUtf8(k.warning)));
    EXPECT_EQ(stored(), QStringList());
    EXPECT_EQ(form().formMode(), QStringLiteral("1"));
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Ac_QelName_01"));

    typeLine(1, QStringLiteral("1234"));
    c().alt('S');
    EXPECT_EQ(messages().texts().size(), 1);
    EXPECT_EQ(stored(), QStringList({"01/01/1234/0", "01/02/0/1234"}));
}

}  // namespace vtest
