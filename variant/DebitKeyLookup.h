#pragma once
// What Sattrel's five name dialogs share: its credit-row fields only mirror the debit row,
// so only the line keys "1" to "4" write, into both rows of that line, and only they let a
// double click close the dialog. Any other key fills the dialog's own result fields alone.

namespace sattrel {

template <class Dialog>
class DebitKeysOnly : public Dialog {
protected:
    void writeBack() override {
        const int line = this->lineKey();
        if (!isLine(line)) return;
        this->writeRowInto(this->debitField(line));
        this->writeRowInto(this->creditField(line));
    }
    bool closesOnDoubleClick() const override { return isLine(this->lineKey()); }

private:
    static bool isLine(int key) { return key >= 1 && key <= 4; }
};

}  // namespace sattrel
