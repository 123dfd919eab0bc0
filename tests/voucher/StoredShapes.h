#pragma once
// Vouchers that older writers left with lines that are not whole (a row of one side missing,
// two rows of one side, a line numbered above 04 or otherwise than "01" to "04", a voucher
// number whose joined key equals another voucher's line), and what a clerk's correction,
// delete and new voucher do to them: never anything to a row of another line. Each
// program's tests include this once and instantiate it with their own forms.

#include "tests/voucher/SaveFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vtest {

struct StoredShape {
    const char* name;
    // "line/side" of voucher 1, or "counter:line/side" of the voucher of that counter, in the
    // order stored; a repeated one is a second row of that side. Line and counter are free text.
    QStringList rows;
    const char* chosen;   // the line the clerk chooses in the grid: "line" of voucher 1, or "counter:line"
    const char* refusal;  // the warning a correction of that line gives, or nothing
};

// A stored line of a shape: the voucher's counter and the line's text.
struct ShapeLine {
    QString counter = QStringLiteral("00000001");
    QString line;
};
inline ShapeLine shapeLine(const QString& spec) {
    const int colon = int(spec.indexOf(QLatin1Char(':')));
    if (colon < 0) return {QStringLiteral("00000001"), spec};
    return {spec.left(colon), spec.mid(colon + 1)};
}

using ShapeCase = ProgramRow<StoredShape>;

inline const std::vector<StoredShape>& storedShapes() {
    static const std::vector<StoredShape> shapes = {
        {"WholeLines", {"01/01", "01/02", "02/01", "02/02", "03/01", "03/02"}, "02", nullptr},
        {"NoCreditRowInTheMiddle", {"01/01", "03/01", "03/02"}, "01", nullptr},
        {"NoCreditRowAtTheEnd", {"01/01", "01/02", "02/01"}, "02", nullptr},
        {"NoDebitRow", {"01/02", "02/01", "02/02"}, "01", nullptr},
        {"LineFive", {"01/01", "01/02", "05/01", "05/02"}, "05", "05라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        {"TwoDebitRowsOfALine", {"01/01", "01/02", "02/01", "02/01", "02/02", "03/01", "03/02"}, "02",
         "02라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        // Lines numbered otherwise by another program fill no panel and are never taken for one.
        {"LineOneBesideThreeDigitOne", {"001/01", "001/02", "01/01", "01/02"}, "01", nullptr},
        {"ThreeDigitOneBesideLineOne", {"001/01", "001/02", "01/01", "01/02"}, "001",
         "001라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        {"LineOneBesideOneDigitOne", {"01/01", "01/02", "1/01", "1/02"}, "01", nullptr},
        {"OneDigitOneBesideLineOne", {"01/01", "01/02", "1/01", "1/02"}, "1", "1라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        {"LetterInTheLine", {"01/01", "01/02", "1A/01", "1A/02"}, "1A", "1A라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        // Voucher 2 line "01" and the twenty-character voucher "...000000020" line "1" join to one text.
        {"LineWhoseJoinedKeyAnotherVoucherShares", {"01/01", "01/02", "000000020:1/01", "000000020:1/02"}, "00000002:01",
         nullptr},
        {"TwentyCharacterVoucherSharingAJoinedKey", {"01/01", "01/02", "000000020:1/01", "000000020:1/02"}, "000000020:1",
         "1라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        // Another program padded the line, or the voucher number, with a blank: still the same line.
        {"LineStoredAgainWithATrailingBlank", {"01/01", "01/02", "01 /01", "01 /02", "02/01", "02/02"}, "01",
         "01라인은 이 화면에서 수정할 수 없는 라인입니다...."},
        {"VoucherNumberStoredAgainWithATrailingBlank",
         {"01/01", "01/02", "00000001 :01/01", "00000001 :01/02", "02/01", "02/02"}, "01",
         "01라인은 이 화면에서 수정할 수 없는 라인입니다...."},
    };
    return shapes;
}

inline std::vector<ShapeCase> shapeCases(const Program& program) { return rowsFor(storedShapes(), program); }

class StoredShapes : public ProgramTestOf<StoredShape> {
protected:
    void SetUp() override {
        ProgramTestOf::SetUp();
        creditAccountIs(QStringLiteral("상품"), kGoods);
        storeShape();
        startProgram();
        before_ = everyRow();
        const QList<int> rows = gridRowsOf(chosen());
        ASSERT_EQ(rows.size(), 1);
        clerk().clickCell(QStringLiteral("DBGrid1"), rows.front());
    }

    static QString voucher(const QString& counter) { return today() + QLatin1Char('-') + counter; }
    static QString voucher(int n) { return voucher(QStringLiteral("0000000%1").arg(n)); }

    // The case's rows as it lists them, each row an amount of its own (100, 200, ...), then
    // voucher 2, one whole line.
    void storeShape() {
        const QString kind = QLatin1String(testCase().program->formKubun);
        QStringList stored;
        for (const QString& spec : testCase().row.rows) {
            const QString lineSide = spec.section(QLatin1Char('/'), 0, 0);
            const ShapeLine at = shapeLine(lineSide);
            Row r = row(today(), QStringLiteral("00000"), at.counter, at.line, kind);
            r.side = spec.section(QLatin1Char('/'), 1);
            (r.side == QLatin1String("01") ? r.cr : r.dr) = 100.0 * (stored.size() + 1);
            if (stored.contains(spec)) r.key = spec + QStringLiteral(" stored again");
            storeRow(db(), r);
            stored << spec;
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
            QString bytes = lineKey(q.fieldText(QStringLiteral("Serial_Qel")), q.fieldText(QStringLiteral("Serial_Bun")));
            for (int col = 0; col < q.fieldCount(); ++col) bytes += QLatin1Char('|') + q.value(r, col).toString();
            rows << bytes;
        }
        return rows;
    }
    // Voucher and line kept apart: joined, two lines may read alike. Trailing blanks do not
    // count, as in every comparison of the statements.
    static QString lineKey(const QString& voucherNumber, const QString& line) {
        return unpadded(voucherNumber) + QLatin1Char('/') + unpadded(line);
    }
    static QString unpadded(QString text) {
        while (text.endsWith(QLatin1Char(' '))) text.chop(1);
        return text;
    }
    static QStringList outside(QStringList rows, const QString& voucherLine) {
        rows.removeIf([&](const QString& r) { return r.startsWith(voucherLine + QLatin1Char('|')); });
        return rows;
    }
    ShapeLine chosen() const { return shapeLine(QString::fromUtf8(testCase().row.chosen)); }
    QString chosenLine() const { return lineKey(voucher(chosen().counter), chosen().line); }
    // The grid rows of a voucher and line, both compared on their own.
    QList<int> gridRowsOf(const ShapeLine& at) {
        db::Query& q = form().query(QStringLiteral("Query1"));
        const int number = q.fieldIndex(QStringLiteral("serial_qel")), line = q.fieldIndex(QStringLiteral("serial_bun"));
        QList<int> rows;
        for (int r = 0; r < q.recordCount(); ++r) {
            if (lineKey(q.text(r, number), q.text(r, line)) == lineKey(voucher(at.counter), at.line)) rows << r;
        }
        return rows;
    }
    // Voucher, line, side, amounts, account and summary of the chosen line's rows.
    QStringList chosenRows() {
        const QString columns = QStringLiteral("Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt, Ac_QelCode, Ac_Text");
        QStringList rows = storedRows(db(), columns, QStringLiteral("Serial"));
        rows.removeIf([&](const QString& r) {
            return lineKey(r.section(QLatin1Char('/'), 0, 0), r.section(QLatin1Char('/'), 1, 1)) != chosenLine();
        });
        return rows;
    }

    QStringList before_;
};

TEST_P(StoredShapes, ACorrectionRewritesOnlyTheStoredRowsOfTheChosenLine) {
    const StoredShape& k = testCase().row;
    QStringList expected = chosenRows();
    // A line no panel shows gets nothing typed: Save alone must not reach another line.
    for (int n = 1; n <= fields::LineCount; ++n) {
        if (fields::lineNumber(n) != chosen().line) continue;
        clerk().click(fields::name(fields::Side::Debit, fields::Field::Summary, n));
        clerk().selectAllAndType(QStringLiteral("고친 적요"));
        clerk().tab();
    }
    clerk().alt('S');

    for (int n = 1; n <= fields::LineCount; ++n) {
        EXPECT_EQ(form().edit(fields::lineNumberEdit(n)).text(), fields::lineNumber(n));
        EXPECT_EQ(form().panel(fields::linePanel(n)).enabled(), fields::lineNumber(n) == chosen().line) << n;
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
    EXPECT_EQ(outside(everyRow(), lineKey(voucher(3), QStringLiteral("01"))), before_);
    EXPECT_EQ(storedRows(db(), QStringLiteral("Serial, Serial_Bun, Serial_CrDr"), QStringLiteral("Serial")).filter(voucher(3)),
              QStringList({"AA*00000*3*" + voucher(3) + "*01*" + kind + "*01/01/01",
                           "AA*00000*3*" + voucher(3) + "*01*" + kind + "*02/01/02"}));
    // The grid stands on the new line, found by number and line each on its own.
    db::Query& grid = form().query(QStringLiteral("Query1"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("serial_qel")) + QLatin1Char('/') + grid.fieldText(QStringLiteral("serial_bun")),
              voucher(3) + QStringLiteral("/01"));
}

}  // namespace vtest
