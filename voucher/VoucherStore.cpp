#include "voucher/VoucherStore.h"

#include "db/Database.h"
#include "db/Query.h"
#include "voucher/text/Util_Unit.h"

#include <QDateTime>
#include <stdexcept>
#include <utility>
#include <vector>

const QString VoucherStore::DebitSide = QStringLiteral("01");
const QString VoucherStore::CreditSide = QStringLiteral("02");

namespace {

// The unique key on Serial stays the last guard: should a writer that numbers without the
// lock take our number meanwhile, the voucher is numbered again rather than stored in part.
constexpr int kNumberingAttempts = 3;

// Every voucher of a base date is numbered under this lock, whatever its office or program.
QString numberingLock(const QString& baseDate) { return QStringLiteral("Serial_Qel ") + baseDate; }

bool digitsOnly(const QString& text) {
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return !text.isEmpty();
}

// Columns 14 to 29: what an insert and a correction both write.
void bindLineValues(db::Query& q, const VoucherStore::Row& row) {
    const auto coded = [&q](const char* codeParameter, const char* nameParameter, const VoucherStore::Coded& value) {
        q.setParamText(QLatin1String(codeParameter), value.code);
        q.setParamText(QLatin1String(nameParameter), value.name);
    };
    coded("tbAc_QelCode", "tbAc_QelName", row.account);
    coded("tbItem_Code", "tbItem_Name", row.item);
    coded("tbKubun_Code", "tbKubun_Name", row.customer);
    coded("tbProject_Code", "tbProject_Name", row.project);
    coded("tbBuser_Code", "tbBuser_Name", row.department);
    coded("tbSawon_Code", "tbSawon_Name", row.employee);
    q.setParamText(QStringLiteral("tbAc_Text"), row.summary);
    q.setParamDouble(QStringLiteral("tbCr_Amt"), row.debitAmount);
    q.setParamDouble(QStringLiteral("tbDr_Amt"), row.creditAmount);
    q.setParamDateTime(QStringLiteral("tbEnd_Day"), QDateTime::currentDateTime());
}

// The columns of a row key, each trimmed as the statement trims it and compared on its own,
// and tbSerial, their joined text, which the indexes of older databases serve: joined alone,
// voucher "...000000010" line "1" would match voucher "...00000001" line "01".
void bindKey(db::Query& q, const std::vector<std::pair<QString, QString>>& columns) {
    QString joined;
    for (const auto& [parameter, value] : columns) {
        const QString trimmed = Str_RTrim(value);
        q.setParamText(parameter, trimmed);
        joined += trimmed;
    }
    q.setParamText(QStringLiteral("tbSerial"), joined);
}

}  // namespace

VoucherStore::VoucherStore(db::Database& database, Statements statements)
    : database_(database), statements_(std::move(statements)) {}

void VoucherStore::prepare(db::Query& q, const QString& statement) const { q.setSql(statements_(statement)); }

// --- numbering -----------------------------------------------------------------------------

QString VoucherStore::Serial_Qel_MaxValue(const QString& baseDate) {
    db::Query q(database_);
    prepare(q, QStringLiteral("SerialMax"));
    q.setParamText(QStringLiteral("tbDate_Day"), baseDate);
    q.open();
    const QString highest = q.fieldText(QStringLiteral("Serial_Max"));
    if (highest.isEmpty()) return baseDate + QStringLiteral("-00000001");
    // The counter is the eight characters behind the date and its hyphen.
    const QString counter = highest.mid(11, 8);
    if (!digitsOnly(counter)) {
        throw std::runtime_error(QStringLiteral("The highest voucher number of %1, '%2', has no numeric counter "
                                                "('%3'); no voucher number can follow it.")
                                     .arg(baseDate, highest, counter)
                                     .toStdString());
    }
    return baseDate + QStringLiteral("-") + QStringLiteral("%1").arg(counter.toLongLong() + 1, 8, 10, QLatin1Char('0'));
}

QString VoucherStore::Serial_MaxValue(const QString& office, const QString& number, const QString& line,
                                      const QString& suffix) {
    return QStringLiteral("AA*") + office + QStringLiteral("*3*") + Str_DelSpace(number) + QStringLiteral("*") +
           Str_DelSpace(line) + QStringLiteral("*") + Str_DelSpace(suffix);
}

// --- writing -------------------------------------------------------------------------------

QString VoucherStore::insert(const NewVoucher& voucher) {
    for (int attempt = 1;; ++attempt) {
        try {
            db::Transaction saving(database_);
            database_.lockUntilTransactionEnds(numberingLock(voucher.baseDate));
            const QString number = Serial_Qel_MaxValue(voucher.baseDate);
            for (const Row& row : voucher.rows) insertRow(voucher, number, row);
            saving.commit();
            return number;
        } catch (const db::Error& e) {
            if (e.kind() != db::Error::Kind::DuplicateKey || attempt == kNumberingAttempts) throw;
        }
    }
}

void VoucherStore::insertRow(const NewVoucher& voucher, const QString& number, const Row& row) {
    db::Query q(database_);
    prepare(q, QStringLiteral("InsertRow"));
    const QString& date = voucher.baseDate;
    q.setParamText(QStringLiteral("tbSerial"),
                   Serial_MaxValue(voucher.office, number, row.line, voucher.formKubun + QLatin1Char('*') + row.side));
    q.setParamText(QStringLiteral("tbSerial_Qel"), number);
    q.setParamText(QStringLiteral("tbSerial_Bun"), row.line);
    q.setParamText(QStringLiteral("tbSerial_CrDr"), row.side);
    q.setParamText(QStringLiteral("tbMonth_Char"), date.mid(5, 2));
    q.setParamText(QStringLiteral("tbYear_Char"), date.left(4));
    q.setParamText(QStringLiteral("tbDate_Day"), date);
    q.setParamText(QStringLiteral("tbTable_Kubun"), QStringLiteral("AA"));
    q.setParamText(QStringLiteral("tbKubun_Bon"), voucher.office);
    q.setParamText(QStringLiteral("tbKubun_Qel"), QStringLiteral("3"));
    q.setParamText(QStringLiteral("tbKubun_Amt"), row.kubunAmt);
    q.setParamText(QStringLiteral("tbForm_Kubun"), voucher.formKubun);
    q.setParamText(QStringLiteral("tbGiel_Serial"), QStringLiteral("999"));
    bindLineValues(q, row);
    q.execSql();
}

VoucherStore::Rewrite VoucherStore::rewriteLine(const QString& baseDate, const QString& number,
                                                const std::vector<Row>& rows) {
    if (rows.empty()) return Rewrite::LineNotStored;
    db::Transaction correcting(database_);
    for (const Row& row : rows) {
        const int rewritten = updateRow(baseDate, number, row);
        if (rewritten == 0) return Rewrite::LineNotStored;
        if (rewritten > 1) return Rewrite::NotOneRowPerSide;
    }
    correcting.commit();
    return Rewrite::Done;
}

int VoucherStore::updateRow(const QString& baseDate, const QString& number, const Row& row) {
    db::Query q(database_);
    prepare(q, QStringLiteral("UpdateRow"));
    bindKey(q, {{QStringLiteral("tbDate_Day"), baseDate},
                {QStringLiteral("tbSerial_Qel"), number},
                {QStringLiteral("tbSerial_Bun"), row.line},
                {QStringLiteral("tbSerial_CrDr"), row.side}});
    bindLineValues(q, row);
    q.execSql();
    return q.rowsAffected();
}

int VoucherStore::deleteLine(const QString& number, const QString& line) {
    db::Transaction deleting(database_);
    db::Query q(database_);
    prepare(q, QStringLiteral("DeleteLine"));
    bindKey(q, {{QStringLiteral("tbSerial_Qel"), number}, {QStringLiteral("tbSerial_Bun"), line}});
    q.execSql();
    const int deleted = q.rowsAffected();
    deleting.commit();
    return deleted;
}

int VoucherStore::rowsOf(const QString& number) {
    db::Query q(database_);
    prepare(q, QStringLiteral("CountVoucherRows"));
    q.setParamText(QStringLiteral("tbSerial"), Str_RTrim(number));
    q.open();
    return q.fieldInt(QStringLiteral("Serial"));
}
