// Save on a line chosen in the grid: the checks of a new voucher hold for it too, and the field
// the clerk is still in is left before its rows are written.

#include "tests/voucher/SaveFixture.h"

#include <gtest/gtest.h>

#include <tuple>

using vtest::row;
using vtest::today;

namespace {

// Lines 01 and 02 of one voucher, stored with every code; the clerk chooses line 02.
template <class Param>
class CorrectionTestOf : public vtest::SaveTestOf<Param> {
protected:
    void chooseLineTwo() {
        for (const char* line : {"01", "02"}) storeLine(this->db(), row(today(), "00000", "00000001", line), 100);
        this->start();
        this->c().clickCell("DBGrid1", int(this->gridKeys().indexOf(today() + "-0000000102")));
        ASSERT_EQ(this->form().formMode(), QStringLiteral("2"));
    }
    QStringList everyColumn() {
        return this->stored("Serial_Bun, Serial_CrDr, Ac_QelCode, Ac_QelName, Kubun_Code, Sawon_Code, Buser_Code, "
                            "Project_Code, Item_Code, Ac_Text, Cr_Amt, Dr_Amt, End_Day");
    }
};

// A field of the chosen line left without a chosen code: emptied, or typed over and left with
// Tab (which drops its code and opens its dialog, where the clerk chooses nothing).
struct SpoiltCase {
    const char* name;
    const char* field;
    const char* typed;  // empty: the field is emptied and Save pressed from inside it
    const char* message;
};

class SpoiltField : public CorrectionTestOf<std::tuple<test::Engine, SpoiltCase>> {};

TEST_P(SpoiltField, StopsTheCorrectionWithItsLinesWarningAndTheFocusOnIt) {
    const SpoiltCase& k = testCase();
    chooseLineTwo();
    const QStringList before = everyColumn();
    const QString field = QLatin1String(k.field);
    c().click(field);
    c().selectAllAndType(QString::fromUtf8(k.typed));
    if (*k.typed == '\0') c().press(tk::vk::Back);
    else c().tab();
    c().switchTo(form());
    c().alt('S');
    EXPECT_EQ(messages().texts(), QStringList(QString::fromUtf8(k.message)));
    EXPECT_EQ(activeName(), field);
    EXPECT_EQ(text(field), QString::fromUtf8(k.typed));
    EXPECT_EQ(form().formMode(), QStringLiteral("2"));
    EXPECT_EQ(everyColumn(), before);
}

const SpoiltCase kSpoilt[] = {
    {"DebitAccountEmptied", "edCR_Ac_QelName_02", "", "2라인에 계정과목을 등록 하세요...."},
    {"CreditAccountTypedOver", "edDR_Ac_QelName_02", "보통", "2라인에 계정과목을 등록 하세요...."},
    {"DebitCustomer", "edCR_Kubun_Name_02", "한빛", "2라인에 거래처및은행명의 코드를 등록 하세요...."},
    {"CreditEmployee", "edDR_Sawon_Name_02", "김", "2라인에 사원이름의 코드를 등록 하세요...."},
    {"DebitDepartment", "edCR_Buser_Name_02", "경리", "2라인에 부서이름의 코드를 등록 하세요...."},
    {"CreditProject", "edDR_Project_Name_02", "신", "2라인에 프로젝트이름의 코드를 등록 하세요...."},
    {"DebitItem", "edCR_Item_Name_02", "원", "2라인에 아이템 명의 코드를 등록 하세요...."},
};
INSTANTIATE_TEST_SUITE_P(Correction, SpoiltField, testing::Combine(test::allEngines, testing::ValuesIn(kSpoilt)),
                         test::rowName<SpoiltCase>);

class Correction : public CorrectionTestOf<test::Engine> {};

// Alt+S leaves the focus in the amount: Save itself must leave it, so that the amount is
// reformatted and copied to the credit row before the rows are read.
TEST_P(Correction, AnAmountSavedFromInsideItsFieldIsLeftBeforeTheRowsAreWritten) {
    chooseLineTwo();
    c().click("edCR_Cr_Amt_02");
    c().selectAllAndType("1234.6");
    c().alt('S');
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(stored(), QStringList({"01/01/100/0", "01/02/0/100", "02/01/1235/0", "02/02/0/1235"}));
    EXPECT_EQ(activeName(), QStringLiteral("SaveBtn"));
}

INSTANTIATE_TEST_SUITE_P(Engines, Correction, test::allEngines, test::engineName);

}  // namespace
