// Brenvik's correction, delete and new voucher beside lines that older writers left unwhole.

#include "tests/voucher/StoredShapes.h"

namespace vtest {

INSTANTIATE_TEST_SUITE_P(Brenvik, StoredShapes,
                         testing::Combine(test::allEngines, testing::ValuesIn(shapeCases(kBrenvik))),
                         test::rowName<ShapeCase>);

}  // namespace vtest
