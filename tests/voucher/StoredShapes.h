#pragma once
// Vouchers that older writers left with lines that are not whole (a row of one side missing,
// two rows of one side, a line numbered above 04), and what a clerk's correction, delete and
// new voucher do to them: never anything to a row of another line. Each program's tests
// include this once and instantiate it with their own forms.

#include "tests/voucher/SaveFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vtest {

struct StoredShape {
    const char* name;
    QStringList rows;     // "line/side" of voucher 1 in the order stored; a repeated one is a second row of that side
    const char* chosen;   // the line the clerk chooses in the grid
    const char* refusal;  // the warning a correction of that line gives, or nothing
};

struct ShapeCase {
    std::string name;
    StoredShape shape;
    const Program* program;
};
inline void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

inline const std::vector<StoredShape>& storedShapes() {
    static const std::vector<StoredShape> shapes = {
        {"WholeLines", {"01/01", "01/02", "02/01", "02/02", "03/01", "03/02"}, "02", nullptr},
        {"NoCreditRowInTheMiddle", {"01/01", "03/01", "03/02"}, "01", nullptr},
        {"NoCreditRowAtTheEnd", {"01/01", "01/02", "02/01"}, "02", nullptr},
        {"NoDebitRow", {"01/02", "02/01", "02/02"}, "01", nullptr},
        {"LineFive", {"01/01", "01/02", "05/01", "05/02"}, "05", "05라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        {"TwoDebitRowsOfALine", {"01/01", "01/02", "02/01", "02/01", "02/02", "03/01", "03/02"}, "02",
         "02라인은 이 화면에서 수정할 수 없는 라인입니다...."},
    };
    return shapes;
}

// The table's rows for a program: every shape, or the one named.
inline std::vector<ShapeCase> shapeCases(const Program& program, const char* only = nullptr) {
    std::vector<ShapeCase> cases;
    for (const StoredShape& s : storedShapes()) {
        if (only == nullptr || std::string(only) == s.name) cases.push_back({s.name, s, &program});
    }
    return cases;
}

class StoredShapes : public SaveTestOf<std::tuple<test::Engine, ShapeCase>> {
protected:
    void SetUp() override {
        SaveTestOf::SetUp();
        creditAccountIs(QStringLiteral("상품"), kGoods);
        storeShape();
        start(testCase().program->create);
        before_ = everyRow();
        const int r = int(gridKeys().indexOf(chosenLine()));
        ASSERT_GE(r, 0);
        clerk().clickCell(QStringLiteral("DBGrid1"), r);
    }
    void TearDown() override {
        SaveTestOf::TearDown();
        testCase().program->forget();
    }

    static QString voucher(int n) { return today() + QStringLiteral("-0000000%1").arg(n); }

    // Voucher 1 as the case stores it, line n of amount n00 (a second row of a side one more),
    // and voucher 2, one whole line.
    void storeShape() {
        const QString kind = QLatin1String(testCase().program->formKubun);
        QStringList stored;
        for (const QString& lineSide : testCase().shape.rows) {
            Row r = row(today(), QStringLiteral("00000"), QStringLiteral("00000001"), lineSide.left(2), kind);
            r.side = lineSide.mid(3);
            const double amount = r.line.toInt() * 100 + stored.count(lineSide);
            (r.side == QLatin1String("01") ? r.cr : r.dr) = amount;
            if (stored.contains(lineSide)) r.key = lineSide + QStringLiteral(" stored again");
            storeRow(db(), r);
            stored << lineSide;
        }
        storeLine(db(), row(today(), QStringLiteral("00000"), QStringLiteral("00000002"), QStringLiteral("01"), kind), 900);
    }

    // Every column of every row as the server gives it, blanks kept, behind its voucher and line.
    QStringList everyRow() {
        db::Query q(db());
        q.setSql({QStringLiteral("select * from Account_Qel_AA order by Serial")});
        q.open();
        QStringList rows;
        for (int r = 0; r < q.recordCount(); ++r) {
            q.moveTo(r);
            QString bytes = q.fieldText(QStringLiteral("Serial_Qel")) + q.fieldText(QStringLiteral("Serial_Bun"));
            for (int col = 0; col < q.fieldCount(); ++col) bytes += QLatin1Char('|') + q.value(r, col).toString();
            rows << bytes;
        }
        return rows;
    }
    static QStringList outside(QStringList rows, const QString& voucherLine) {
        rows.removeIf([&](const QString& r) { return r.startsWith(voucherLine + QLatin1Char('|')); });
        return rows;
    }
    QString chosenLine() const { return voucher(1) + QLatin1String(testCase().shape.chosen); }
    // Voucher, line, side, amounts, account and summary of the chosen line's rows.
    QStringList chosenRows() {
        const QString columns = QStringLiteral("Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt, Ac_QelCode, Ac_Text");
        return storedRows(db(), columns, QStringLiteral("Serial"))
            .filter(voucher(1) + QLatin1Char('/') + QLatin1String(testCase().shape.chosen) + QLatin1Char('/'));
    }

    QStringList before_;
};

TEST_P(StoredShapes, ACorrectionRewritesOnlyTheStoredRowsOfTheChosenLine) {
    const StoredShape& k = testCase().shape;
    QStringList expected = chosenRows();
    const int line = QString::fromLatin1(k.chosen).toInt();
    if (line <= fields::LineCount) {
        clerk().click(fields::name(fields::Side::Debit, fields::Field::Summary, line));
        clerk().selectAllAndType(QStringLiteral("고친 적요"));
        clerk().tab();
    }
    clerk().alt('S');

    for (int n = 1; n <= fields::LineCount; ++n) {
        EXPECT_EQ(form().edit(fields::lineNumberEdit(n)).text(), fields::lineNumber(n));
        EXPECT_EQ(form().panel(fields::linePanel(n)).enabled(), fields::lineNumber(n) == QLatin1String(k.chosen)) << n;
    }
    if (k.refusal) {
        EXPECT_EQ(messages().texts(), QStringList(QString::fromUtf8(k.refusal)));
        EXPECT_EQ(everyRow(), before_);
        return;
    }
    EXPECT_EQ(messages().texts(), QStringList());
    for (QString& r : expected) r = r.section(QLatin1Char('/'), 0, 5) + QStringLiteral("/고친 적요");
    EXPECT_EQ(chosenRows(), expected);
    EXPECT_EQ(outside(everyRow(), chosenLine()), outside(before_, chosenLine()));
}

TEST_P(StoredShapes, DeleteRemovesTheChosenLineAlone) {
    clerk().click(QStringLiteral("DeleteBtn"));
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(chosenRows(), QStringList());
    EXPECT_EQ(everyRow(), outside(before_, chosenLine()));
}

TEST_P(StoredShapes, ANewVoucherTypedInLineOneIsStoredAsLineOne) {
    clerk().click(QStringLiteral("CancelBtn"));
    clerk().alt('I');
    typeLine(1, QStringLiteral("500"));
    clerk().alt('S');
    EXPECT_EQ(messages().texts(), QStringList());
    const QString kind = QLatin1String(testCase().program->formKubun);
    EXPECT_EQ(outside(everyRow(), voucher(3) + QStringLiteral("01")), before_);
    EXPECT_EQ(storedRows(db(), QStringLiteral("Serial, Serial_Bun, Serial_CrDr"), QStringLiteral("Serial")).filter(voucher(3)),
              QStringList({"AA*00000*3*" + voucher(3) + "*01*" + kind + "*01/01/01",
                           "AA*00000*3*" + voucher(3) + "*01*" + kind + "*02/01/02"}));
}

}  // namespace vtest
