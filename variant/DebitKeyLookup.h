#pragma once
// What Sattrel's five name dialogs share: its credit-row fields only mirror the debit row,
// so only the line keys "1" to "4" write, into both rows of that line, and only they let a
// double click close the dialog. Any other key fills the dialog's own result fields alone.

#include "voucher/text/LineFields.h"

#include <optional>

namespace sattrel {

template <class Dialog>
class DebitKeysOnly : public Dialog {
protected:
    void writeBack() override {
        const std::optional<int> line = fields::bothRowsLine(this->lineKey());
        if (!line) return;
        this->writeRowInto(this->debitField(*line));
        this->writeRowInto(this->creditField(*line));
    }
    bool closesOnDoubleClick() const override { return fields::bothRowsLine(this->lineKey()).has_value(); }
};

}  // namespace sattrel
