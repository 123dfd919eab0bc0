#pragma once
// The voucher lines of Account_Qel_AA as plain row values: the next voucher number of a base
// date, a new voucher's rows, the stored rows of one line rewritten, one line deleted. Every
// write runs in a transaction of its own; a failure throws and leaves nothing of it behind.
// No controls here: the form reads its edits into rows and shows what comes back. The
// statements are the voucher form description's, asked for by name.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace db {
class Database;
class Query;
}  // namespace db

class VoucherStore {
public:
    // Serial_CrDr of a line's debit and credit row.
    static const QString DebitSide;   // "01"
    static const QString CreditSide;  // "02"

    // A chosen entity of a row: its code and its name.
    struct Coded {
        QString code, name;
    };

    // One row of a voucher line.
    struct Row {
        QString line;      // Serial_Bun: "01" to "04", or a corrected line's text as stored
        QString side;      // Serial_CrDr
        QString kubunAmt;  // Kubun_Amt; a correction keeps the stored one
        Coded account, item, customer, project, department, employee;
        QString summary;
        double debitAmount = 0;   // Cr_Amt
        double creditAmount = 0;  // Dr_Amt
    };

    // A voucher to number and insert: its rows line by line, the debit row first.
    struct NewVoucher {
        QString baseDate;   // Date_Day, "2001-05-30"
        QString office;     // Kubun_Bon, "00000"
        QString formKubun;  // the entry form that writes it
        std::vector<Row> rows;
    };

    // What became of a correction. Anything but Done wrote nothing.
    enum class Rewrite {
        Done,
        LineNotStored,     // a row of it is no longer stored
        NotOneRowPerSide,  // the line holds two rows of one side: which one the clerk saw is unknown
    };

    // The statement lines of a name ("InsertRow", "UpdateRow", ...).
    using Statements = std::function<QStringList(const QString& name)>;

    VoucherStore(db::Database& database, Statements statements);

    // The voucher number after the highest stored for the base date, whatever its office or
    // entry form; the first of a date ends in "00000001". Takes no lock.
    QString Serial_Qel_MaxValue(const QString& baseDate);
    // The row key: "AA", office, "3", voucher number, line and suffix joined by "*", blanks dropped.
    static QString Serial_MaxValue(const QString& office, const QString& number, const QString& line,
                                   const QString& suffix);

    // Numbers the voucher under its base date's lock and inserts its rows, in one transaction;
    // returns the number. A number that another writer took meanwhile is replaced by the next.
    QString insert(const NewVoucher& voucher);
    // Rewrites the given rows of one stored line (found by base date, number, line and side,
    // each as stored, trailing blanks aside), in one transaction: all of them or, when one is
    // not stored exactly once, none.
    Rewrite rewriteLine(const QString& baseDate, const QString& number, const std::vector<Row>& rows);
    // Deletes every row of one line of a voucher (number and line text as stored, trailing
    // blanks aside), whatever its side, in one transaction; returns how many rows went.
    int deleteLine(const QString& number, const QString& line);
    // The rows still stored under a voucher number (as stored, trailing blanks aside).
    int rowsOf(const QString& number);

private:
    void insertRow(const NewVoucher& voucher, const QString& number, const Row& row);
    int updateRow(const QString& baseDate, const QString& number, const Row& row);
    void prepare(db::Query& q, const QString& statement) const;

    db::Database& database_;
    Statements statements_;
};
