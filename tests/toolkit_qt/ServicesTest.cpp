// The message boxes wait with one OK button; the hourglass pointer comes and goes.
#include "QtFormFixture.h"

#include "toolkit/qt/QtServices.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <stdexcept>

namespace {

struct SeenBox {
    QString caption, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Reads the modal box once it is up and presses its button.
void answerNextBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
        box->buttons().front()->click();
    });
}

class QtServices : public QtFormTest {
protected:
    void SetUp() override {
        QtFormTest::SetUp();
        tk::app().setMessageService(std::make_unique<tkqt::QtMessageService>());
    }
};

TEST_F(QtServices, TheWarningBoxHasCaptionWarningAndOneOkButton) {
    SeenBox seen;
    answerNextBox(seen);
    tk::showWarning(QStringLiteral("날짜를 확인하십시오"));
    EXPECT_EQ(seen.caption, "Warning");
    EXPECT_EQ(seen.text, "날짜를 확인하십시오");
    EXPECT_EQ(seen.buttons, QStringList({"OK"}));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
}

TEST_F(QtServices, ThePlainBoxCarriesTheApplicationTitle) {
    SeenBox seen;
    answerNextBox(seen);
    tk::showMessage(QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다"));
    EXPECT_EQ(seen.caption, "시험");
    EXPECT_EQ(seen.buttons, QStringList({"OK"}));
}

TEST_F(QtServices, AnEscapedExceptionIsShownAndTheProgramGoesOn) {
    SeenBox seen;
    answerNextBox(seen);
    bool after = false;
    tk::app().event([] { throw std::runtime_error("no such table: account_qel_aa"); });
    tk::app().event([&] { after = true; });
    EXPECT_EQ(seen.text, "no such table: account_qel_aa");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QStringList({"OK"}));
    EXPECT_TRUE(after);
}

TEST_F(QtServices, TheHourglassEndsWithItsGuardEvenOnAnError) {
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    try {
        tk::HourglassCursor busy;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw std::runtime_error("query failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
