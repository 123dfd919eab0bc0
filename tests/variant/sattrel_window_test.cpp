// Sattrel in real windows over the demo data: its voucher form and its credit account dialog,
// saved as pictures.

#include "db/Query.h"
#include "lookup/Qel_Unit3_07.h"
#include "programs/SattrelForms.h"
#include "tests/voucher/WindowFixture.h"
#include "variant/Qel_Unit6.h"

#include <gtest/gtest.h>

namespace {

class SattrelWindow : public vtest::WindowTest {
protected:
    TfmBrenvik& createForms() override { return createSattrelForms(); }
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(showVoucherForm());
    }
    void TearDown() override {
        WindowTest::TearDown();
        fmSattrel = nullptr;
    }
};

// Leaving the credit account with nothing typed lists what the demo holds of the five accounts.
TEST_P(SattrelWindow, TheCreditAccountDialogListsOnlyTheInventoryAccounts) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    QTest::mouseClick(widget(QStringLiteral("edDR_Ac_QelName_01")), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tkqt::windowOf(*Form7)));
    const db::Query& q = Form7->query(QStringLiteral("Query1"));
    QStringList codes;
    for (int r = 0; r < q.recordCount(); ++r) codes << q.text(r, q.fieldIndex(QStringLiteral("ac_code")));
    EXPECT_EQ(codes, QStringList({"10102001000", "10102005000", "10102008000", "10102017000", "10102024000"}));
    screenshot(QStringLiteral("variant-screens"), QStringLiteral("credit-account-dialog"));
}

INSTANTIATE_TEST_SUITE_P(Engines, SattrelWindow, test::allEngines, test::engineName);

}  // namespace
