#pragma once
// The statements of the forms, kept line by line in tests/db/statements/<name>.sql exactly as
// the forms add them (leading tabs and blanks, trailing blanks).

#include <QStringList>

namespace test {

QStringList statementLines(const QString& name);

}  // namespace test
