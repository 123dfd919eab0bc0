#include "tests/voucher/Programs.h"

#include "programs/BrenvikForms.h"
#include "programs/SattrelForms.h"
#include "variant/Qel_Unit6.h"
#include "voucher/Qel_Unit3.h"

#include <stdexcept>
#include <string>

namespace vtest {

const Program kBrenvik{"Brenvik", "A003", &createBrenvikForms, [] { return fmBrenvik; }, [] { fmBrenvik = nullptr; }};
const Program kSattrel{"Sattrel", "A004", []() -> TfmBrenvik& { return createSattrelForms(); },
                       []() -> TfmBrenvik* { return fmSattrel; }, [] { fmSattrel = nullptr; }};

const Program& programNamed(const QString& name) {
    for (const Program* p : {&kBrenvik, &kSattrel}) {
        if (name == QLatin1String(p->name)) return *p;
    }
    throw std::invalid_argument("no program named " + name.toStdString() + " (Brenvik or Sattrel)");
}

}  // namespace vtest
