#pragma once
// The two programs a test runs in: their forms as each program block creates them, and what
// tells their stored vouchers apart. The form tests' tables and the random clerk share them.

#include <QString>

class TfmBrenvik;

namespace vtest {

struct Program {
    const char* name;       // the application's title
    const char* formKubun;  // the entry form of its stored vouchers
    TfmBrenvik& (*create)();
    TfmBrenvik* (*voucherForm)();  // while it runs; null once the clerk has closed it
    void (*forget)();              // empties the program's global of its voucher form
};
extern const Program kBrenvik;
extern const Program kSattrel;
// The program of that name; throws for any other.
const Program& programNamed(const QString& name);

}  // namespace vtest
