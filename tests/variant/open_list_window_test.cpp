// Alt and an accelerator letter typed on the X keyboard while a drop-down list is open reach
// the form as they do with the list closed: the office list of both programs and the kind
// filter of the customer-and-bank dialog, in real windows.

#include "lookup/Qel_Unit3_02.h"
#include "programs/SattrelForms.h"
#include "tests/support/XKeyboard.h"
#include "tests/voucher/WindowFixture.h"
#include "toolkit/qt/ControlWidgets.h"
#include "variant/Qel_Unit6.h"

#include <QAbstractItemView>
#include <QPointer>
#include <gtest/gtest.h>
#include <tuple>

namespace {

enum class Program { Brenvik, Sattrel };
// The office list, opened by leaving the date with Enter; or the dialog's kind filter, opened
// with F4.
enum class List { Offices, KindFilter };
enum class Outcome { FocusOnLineOnesDebitAccount, FormCloses };

struct OpenListKey {
    const char* name;
    Program program;
    List list;
    const char* keys;  // as xdotool names them
    Outcome outcome;
};
void PrintTo(const OpenListKey& k, std::ostream* os) { *os << k.name; }

const OpenListKey kOpenListKeys[] = {
    {"Brenvik_AltI", Program::Brenvik, List::Offices, "alt+i", Outcome::FocusOnLineOnesDebitAccount},
    {"Brenvik_AltX", Program::Brenvik, List::Offices, "alt+x", Outcome::FormCloses},
    {"Sattrel_AltI", Program::Sattrel, List::Offices, "alt+i", Outcome::FocusOnLineOnesDebitAccount},
    {"Sattrel_AltX", Program::Sattrel, List::Offices, "alt+x", Outcome::FormCloses},
    {"KindFilter_AltX", Program::Brenvik, List::KindFilter, "alt+x", Outcome::FormCloses},
};

class OpenListAccelerator : public vtest::WindowTestOf<std::tuple<test::Engine, OpenListKey>> {
protected:
    TfmBrenvik& createForms() override {
        return testCase().program == Program::Sattrel ? createSattrelForms() : createBrenvikForms();
    }
    void SetUp() override {
        WindowTestOf::SetUp();
        ASSERT_TRUE(showVoucherForm());
        ASSERT_NO_FATAL_FAILURE(openList());
    }
    void TearDown() override {
        WindowTestOf::TearDown();
        fmSattrel = nullptr;
    }

    tk::Form& form() const { return testCase().list == List::Offices ? static_cast<tk::Form&>(*form_) : *Form2; }
    tk::ComboBox& list() const {
        const bool offices = testCase().list == List::Offices;
        return form().comboBox(offices ? QStringLiteral("cbKubun") : QStringLiteral("cbCheck"));
    }
    QString shotName(const char* when) const { return QStringLiteral("%1-list-%2").arg(testCase().name, when); }

    void openList() {
        if (testCase().list == List::Offices) {
            QTest::mouseClick(widget(QStringLiteral("edDate")), Qt::LeftButton);
            ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("Return"))) << "xdotool types the keys";
        } else {
            tk::app().event([] { Form2->show(); });
            ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*Form2)));
            tk::app().event([this] { Form2->setFocus(list()); });
            ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("F4"))) << "xdotool types the keys";
        }
        popup_ = static_cast<tkqt::TkComboBox*>(tkqt::widgetOf(list()))->view();
        ASSERT_TRUE(QTest::qWaitFor([this] { return popup_->isVisible(); }));
        ASSERT_EQ(form().activeControl(), &list());
        ASSERT_TRUE(list().droppedDown());
    }
    bool popupClosed() const { return !popup_ || !popup_->isVisible(); }

    QPointer<QAbstractItemView> popup_;
};

TEST_P(OpenListAccelerator, ReachesTheFormAsWithTheListClosed) {
    QPointer<QWidget> window = tkqt::windowOf(form());
    screenshot(QStringLiteral("variant-screens"), shotName("open"));
    ASSERT_TRUE(test::typeOnXKeyboard(QString::fromLatin1(testCase().keys)));
    if (testCase().outcome == Outcome::FocusOnLineOnesDebitAccount) {
        QWidget* debit = widget(QStringLiteral("edCR_Ac_QelName_01"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == debit; }));
        EXPECT_EQ(form_->activeControl(), &form_->control(QStringLiteral("edCR_Ac_QelName_01")));
    } else {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window || !window->isVisible(); }));
        EXPECT_FALSE(form().visible());
    }
    EXPECT_TRUE(QTest::qWaitFor([this] { return popupClosed(); }));
    EXPECT_FALSE(list().droppedDown());
    screenshot(QStringLiteral("variant-screens"), shotName("after"));
    EXPECT_TRUE(messages_->log().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenListAccelerator,
                         testing::Combine(test::allEngines, testing::ValuesIn(kOpenListKeys)),
                         test::rowName<OpenListKey>);

}  // namespace
