#pragma once
// Stored vouchers for the index tests, written with the insert statement the voucher form runs,
// and the statements of the forms that read them, with their parameters.

#include "db/Database.h"

#include <QStringList>
#include <map>
#include <vector>

namespace test {

// Forty vouchers of one to four lines over three dates and three offices, one in five of form "A004".
void storeVouchers(db::Database& database);

struct Reading {
    const char* name;
    QStringList sql;
    std::map<QString, QString> params;
};

// Every statement of the voucher form that reads vouchers, keyed on stored vouchers, and the
// whole table in the order of its row key.
std::vector<Reading> readings();

// The rows a statement gives, each as its fields' texts joined, sorted.
QStringList rowsOf(db::Database& database, const Reading& reading);

}  // namespace test
