// The store's writes, each in its own transaction: what it answers and what the table holds
// afterwards, on a voucher whose lines an older writer left whole, doubled and halved.

#include "tests/voucher/StoreFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using vtest::row;

namespace {

const QString kDate = QStringLiteral("2001-05-30");
const QString kVoucher = kDate + QStringLiteral("-00000001");
const QString kTooLong(201, QLatin1Char('x'));

VoucherStore::Row rowOf(const char* lineSide, const QString& summary) {
    VoucherStore::Row r;
    r.line = QString::fromLatin1(lineSide).left(2);
    r.side = QString::fromLatin1(lineSide).mid(3);
    r.kubunAmt = QStringLiteral("5");
    r.summary = summary;
    return r;
}

QString answerOf(VoucherStore::Rewrite outcome) {
    switch (outcome) {
    case VoucherStore::Rewrite::Done: return QStringLiteral("Done");
    case VoucherStore::Rewrite::LineNotStored: return QStringLiteral("LineNotStored");
    case VoucherStore::Rewrite::NotOneRowPerSide: return QStringLiteral("NotOneRowPerSide");
    }
    return QString();
}

struct WriteCase {
    const char* name;
    std::function<QString(VoucherStore&)> write;
    const char* answer;  // "failed" when the write throws
    QStringList after;   // line/side/summary of every row in the order of the row key
};

const QStringList kStored = {"01/01/적요 01/01", "01/02/적요 01/02", "02/01/적요 02/01",
                             "02/01/적요 02/01", "02/02/적요 02/02", "03/01/적요 03/01"};

const WriteCase kWrites[] = {
    {"AnInsertFailingOnItsLastRowStoresNothing",
     [](VoucherStore& s) { return s.insert({kDate, "00000", "A003", {rowOf("01/01", "새"), rowOf("01/02", kTooLong)}}); },
     "failed", kStored},
    {"ARewriteFailingOnItsCreditRowKeepsTheDebitRow",
     [](VoucherStore& s) { return answerOf(s.rewriteLine(kDate, kVoucher, {rowOf("01/01", "고침"), rowOf("01/02", kTooLong)})); },
     "failed", kStored},
    {"ARewriteOfARowNoLongerStoredWritesNothing",
     [](VoucherStore& s) { return answerOf(s.rewriteLine(kDate, kVoucher, {rowOf("03/01", "고침"), rowOf("03/02", "고침")})); },
     "LineNotStored", kStored},
    {"ARewriteOfALineWithTwoRowsOfOneSideWritesNothing",
     [](VoucherStore& s) { return answerOf(s.rewriteLine(kDate, kVoucher, {rowOf("02/01", "고침"), rowOf("02/02", "고침")})); },
     "NotOneRowPerSide", kStored},
    {"ADeleteTakesEveryRowOfItsLineAndNoOther",
     [](VoucherStore& s) {
         s.deleteLine(kVoucher, QStringLiteral("02"));
         return QString::number(s.rowsOf(kVoucher));
     },
     "3", QStringList({kStored[0], kStored[1], kStored[5]})},
};

class StoreWrites : public vtest::StoreTestOf<std::tuple<test::Engine, WriteCase>> {};

TEST_P(StoreWrites, AnswerAndLeaveTheTableAsTheWriteSays) {
    const WriteCase& k = testCase();
    for (const QString& lineSide : kStored) {
        vtest::Row r = row(kDate, "00000", "00000001", lineSide.left(2));
        r.side = lineSide.mid(3, 2);
        // The second debit row of line 02 under a key of its own.
        if (stored().contains(lineSide)) r.key = QStringLiteral("AA*00000*3*%1*02*A003*01 again").arg(kVoucher);
        storeRow(db(), r);
    }
    VoucherStore s = store();
    QString answer;
    try {
        answer = k.write(s);
    } catch (const std::exception&) {
        answer = QStringLiteral("failed");
    }
    EXPECT_EQ(answer, QLatin1String(k.answer));
    EXPECT_EQ(stored(), k.after);
}

INSTANTIATE_TEST_SUITE_P(Engines, StoreWrites, testing::Combine(test::allEngines, testing::ValuesIn(kWrites)),
                         test::rowName<WriteCase>);

}  // namespace
