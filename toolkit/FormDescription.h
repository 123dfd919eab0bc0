#pragma once
// Loads a form description (JSON, see forms/README.md) into a form: its properties, its
// controls with their places and properties, its queries with their fixed SQL, and the
// binding of the handlers it names to the handler table the form class supplies.

#include "toolkit/Form.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace tk {

class FormDescription {
public:
    // Reads the description from a file or a Qt resource path (":/forms/...").
    static FormDescription fromFile(const QString& path);
    static FormDescription fromJson(const QByteArray& json);

    // Creates the controls and queries on `form` and binds the named handlers.
    // A handler named in the description but missing from `handlers` is an error.
    void apply(Form& form, const Form::Handlers& handlers) const;

    // The SQL lines of a described query, as they stand (used by tests of the statements).
    QStringList querySql(const QString& queryName) const;
    // A named SQL text kept with the form but assembled by code (fixed statement lines).
    QStringList sqlText(const QString& name) const;
    // Closes the query and replaces its text by the named statement lines; returns the query.
    db::Query& loadStatement(db::Query& query, const QString& name) const;
    // Adds the named statement lines after the query's text (a statement assembled in parts).
    void appendStatement(db::Query& query, const QString& name) const;
    // A part of the description that another layer reads (the print form's "report").
    QJsonObject section(const QString& key) const;

private:
    QByteArray json_;
};

}  // namespace tk
