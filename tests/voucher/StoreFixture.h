#pragma once
// The voucher store on a real database of either engine, with the voucher form's statements
// and no form.

#include "tests/support/Engines.h"
#include "tests/voucher/StoredRows.h"
#include "toolkit/FormDescription.h"
#include "voucher/VoucherStore.h"

namespace vtest {

template <class Param>
class StoreTestOf : public test::EngineTestOf<Param> {
protected:
    VoucherStore store() {
        static const tk::FormDescription form = tk::FormDescription::fromFile(QStringLiteral(":/forms/Qel_Unit3.json"));
        return VoucherStore(this->db(), [](const QString& name) { return form.sqlText(name); });
    }
    // "line/side/Ac_Text" (or the columns asked for) of every stored row, in the order of the row key.
    QStringList stored(const QString& columns = QStringLiteral("Serial_Bun, Serial_CrDr, Ac_Text")) {
        return storedRows(this->db(), columns, QStringLiteral("Serial"));
    }
};

}  // namespace vtest
