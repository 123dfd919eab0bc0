// Voucher numbers per base date and the row key, from the rows stored at that moment.

#include "tests/voucher/VoucherFormFixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

using vtest::row;

namespace {

const QString kDate = QStringLiteral("2001-05-30");

class NumberingTest : public vtest::VoucherFormTest {
protected:
    void deleteVoucher(const QString& serialQel) {
        db::Query q(db());
        q.setSql({QStringLiteral("delete from Account_Qel_AA where Serial_Qel = :tbSerial")});
        q.setParamText(QStringLiteral("tbSerial"), serialQel);
        q.execSql();
    }
};

TEST_P(NumberingTest, TheFirstVoucherOfADateIsNumberOne) {
    storeLine(db(), row("2001-05-31", "00000", "00000005", "01"), 10);
    storeLine(db(), row("2001-05-29", "00000", "00000003", "01"), 10);
    TfmBrenvik& f = start();
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000001"));
}

TEST_P(NumberingTest, OneCounterPerDateAcrossOfficesAndPrograms) {
    storeLine(db(), row(kDate, "00000", "00000007", "01"), 10);
    storeLine(db(), row(kDate, "00001", "00000009", "02", "A004"), 10);
    storeLine(db(), row("2001-05-31", "00000", "00000042", "01"), 10);
    TfmBrenvik& f = start();
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000010"));
    clerk().pick("cbKubun", 1);
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000010"));
    clerk().pick("cbKubun", 2);
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000010"));
}

TEST_P(NumberingTest, TheNumberOfADeletedHighestVoucherIsTakenAgain) {
    storeLine(db(), row(kDate, "00000", "00000003", "01"), 10);
    storeLine(db(), row(kDate, "00000", "00000009", "01"), 10);
    storeLine(db(), row(kDate, "00000", "00000010", "01"), 10);
    storeLine(db(), row(kDate, "00000", "00000010", "02"), 10);
    TfmBrenvik& f = start();
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000011"));
    deleteVoucher(QStringLiteral("2001-05-30-00000010"));
    // The gap from 4 to 8 stays a gap.
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000010"));
}

TEST_P(NumberingTest, TheRowKeyOfTheFirstVoucherOfADate) {
    TfmBrenvik& f = start();
    f.edit("edSerial").setText(f.Serial_Qel_MaxValue(kDate));
    EXPECT_EQ(f.Serial_MaxValue(f.edit("edSerial_Bun_01").text(), QStringLiteral("A003*01")),
              QStringLiteral("AA*00000*3*2001-05-30-00000001*01*A003*01"));
    // Blanks are dropped from every part; the office is the list position.
    f.edit("edSerial").setText(QStringLiteral(" 2001-05-30-00000001 "));
    clerk().pick("cbKubun", 2);
    f.edit("edSerial").setText(QStringLiteral(" 2001-05-30-00000001 "));
    EXPECT_EQ(f.Serial_MaxValue(QStringLiteral(" 04"), QStringLiteral("A003 *02")),
              QStringLiteral("AA*00002*3*2001-05-30-00000001*04*A003*02"));
}

TEST_P(NumberingTest, AHighestNumberWithoutANumericCounterIsAClearError) {
    vtest::Row broken = row(kDate, "00000", "", "01");
    broken.serialQel = QStringLiteral("2001-05-30-0000001X");
    storeLine(db(), broken, 10);
    storeLine(db(), row(kDate, "00000", "00000005", "01"), 10);
    TfmBrenvik& f = start();
    EXPECT_THROW(f.Serial_Qel_MaxValue(kDate), std::runtime_error);

    tk::app().event([&] { f.edit("edSerial").setText(f.Serial_Qel_MaxValue(kDate)); });
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_TRUE(messages().log()[0].text.contains(QStringLiteral("2001-05-30-0000001X"))) << messages().log()[0].text.toStdString();
    EXPECT_EQ(f.edit("edSerial").text(), QString());
}

TEST_P(NumberingTest, TheBaseDateIsBoundNotPastedIntoTheStatement) {
    storeLine(db(), row(kDate, "00000", "00000003", "01"), 10);
    TfmBrenvik& f = start();
    const QString quoted = QStringLiteral("2001-05-30' or Date_Day <> '");
    EXPECT_EQ(f.Serial_Qel_MaxValue(quoted), quoted + QStringLiteral("-00000001"));
    EXPECT_EQ(f.Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000004"));
}

INSTANTIATE_TEST_SUITE_P(Engines, NumberingTest, test::allEngines, test::engineName);

}  // namespace
