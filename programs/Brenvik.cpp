// Brenvik: transfer vouchers. The program block: the single-instance guard of the voucher
// form's unit, then Brenvik's forms on the shared start-up.

#include "programs/BrenvikForms.h"
#include "programs/ProgramBlock.h"
#include "voucher/Qel_Unit3.h"

#include <cstdlib>

namespace {

int RunBrenvik(int argc, char** argv) {
    return runProgram(argc, argv, [] { createBrenvikForms(); });
}

}  // namespace

int main(int argc, char** argv) {
    InitSingleInstanceMutex();
    std::atexit(DoneSingleInstanceMutex);
    return RunBrenvik(argc, argv);
}
