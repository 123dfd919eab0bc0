// Sattrel in real windows over the demo data: its voucher form and its credit account dialog,
// saved as pictures.

#include "db/Query.h"
#include "lookup/Qel_Unit3_07.h"
#include "programs/SattrelForms.h"
#include "tests/support/Engines.h"
#include "toolkit/Application.h"
#include "toolkit/qt/QtWidgetset.h"
#include "variant/Qel_Unit6.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SattrelWindow : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        database().loadDemoData();
        database().installAsAlias(QStringLiteral("Account"));
        tk::app().initialize(QStringLiteral("Sattrel"));
        widgetset_ = tkqt::install(tk::app());
        form_ = &createSattrelForms();
        tk::app().event([&] { form_->show(); });
        ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*form_)));
    }
    void TearDown() override {
        widgetset_.reset();
        tk::app().reset();
        fmSattrel = nullptr;
        EngineTest::TearDown();
    }
    void screenshot(const QString& name) {
        QDir().mkpath(QStringLiteral("variant-screens"));
        QTest::qWait(100);  // the last changes painted
        const QString engine = GetParam() == test::Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
        QApplication::primaryScreen()->grabWindow(0).save(QStringLiteral("variant-screens/%1-%2.png").arg(name, engine));
    }

    std::unique_ptr<tkqt::QtWidgetset> widgetset_;
    TfmSattrel* form_ = nullptr;
};

// Leaving the credit account with nothing typed lists what the demo holds of the five accounts.
TEST_P(SattrelWindow, TheCreditAccountDialogListsOnlyTheInventoryAccounts) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    QTest::mouseClick(tkqt::widgetOf(form_->control(QStringLiteral("edDR_Ac_QelName_01"))), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tkqt::windowOf(*Form7)));
    const db::Query& q = Form7->query(QStringLiteral("Query1"));
    QStringList codes;
    for (int r = 0; r < q.recordCount(); ++r) codes << q.text(r, q.fieldIndex(QStringLiteral("ac_code")));
    EXPECT_EQ(codes, QStringList({"10102001000", "10102005000", "10102008000", "10102017000", "10102024000"}));
    screenshot(QStringLiteral("credit-account-dialog"));
}

INSTANTIATE_TEST_SUITE_P(Engines, SattrelWindow, test::allEngines, test::engineName);

}  // namespace
