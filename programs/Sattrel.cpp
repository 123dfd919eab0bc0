// Sattrel: transfers of inventory assets to other accounts. The program block: the
// single-instance guard (named after this program's file), then Sattrel's forms on the
// shared start-up.

#include "programs/ProgramBlock.h"
#include "programs/SattrelForms.h"
#include "voucher/Qel_Unit3.h"

#include <cstdlib>

namespace {

int RunSattrel(int argc, char** argv) {
    return runProgram(argc, argv, [] { createSattrelForms(); });
}

}  // namespace

int main(int argc, char** argv) {
    InitSingleInstanceMutex();
    std::atexit(DoneSingleInstanceMutex);
    return RunSattrel(argc, argv);
}
