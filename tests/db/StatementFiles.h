#pragma once
// The statements are read from the form descriptions the programs run, line by line exactly as
// the forms add them (leading tabs and blanks, trailing blanks).

#include <QStringList>

namespace test {

// The lines of the text <name> under "sql" of forms/<form>.json.
QStringList formSql(const QString& form, const QString& name);

// The statement of the query <query> under "queries" of forms/<form>.json.
QStringList formQuerySql(const QString& form, const QString& query);

}  // namespace test
