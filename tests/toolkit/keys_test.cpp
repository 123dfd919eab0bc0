// Keys: key preview, dropped characters, Enter navigation, accelerators, Tab's key-up,
// Alt+F4, and what typing does to an edit.
#include "ToolkitTest.h"

using namespace tk;

namespace {

class KeysTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = &app().createForm<Form>(QStringLiteral("fmKeys"));
        date = &form->add<Edit>(QStringLiteral("edDate"));
        next = &form->add<Edit>(QStringLiteral("edNext"));
        next->setTabOrder(1);
        closeBtn = &form->add<Button>(QStringLiteral("CloseBtn"));
        closeBtn->setText(QStringLiteral("&X 종료"));
        closeBtn->setTabOrder(2);
        closeBtn->onClick = logged(QStringLiteral("click"));
        form->show();
    }
    // Digits, '-', Backspace, Ctrl+Y and Enter pass; Enter moves on; the rest is refused.
    void installDateFilter() {
        date->onKeyPress = [this](Control&, QChar& key) {
            if (key == QLatin1Char('\r')) {
                form->selectNext();
                key = QChar();
                return;
            }
            const char16_t k = key.unicode();
            if (k == 8 || k == 25 || k == '-' || (k >= '0' && k <= '9')) return;
            key = QChar();
            showMessage(QStringLiteral("잘못 입력하셨습니다"));
        };
    }
    Form* form = nullptr;
    Edit* date = nullptr;
    Edit* next = nullptr;
    Button* closeBtn = nullptr;
};

TEST_F(KeysTest, DroppedCharactersLeaveTheTextUnchanged) {
    installDateFilter();
    Clerk clerk(*form);
    clerk.type(QStringLiteral("2001-a5-3한0"));
    EXPECT_EQ(date->text(), QStringLiteral("2001-5-30"));
    EXPECT_EQ(messages().texts(), (QStringList{QStringLiteral("잘못 입력하셨습니다"), QStringLiteral("잘못 입력하셨습니다")}));
    EXPECT_EQ(messages().log().front().caption, QStringLiteral("Varo-Quint"));
    EXPECT_EQ(form->activeControl(), date);

    // Ctrl+Y passes the filter and edits nothing; Enter moves on and types nothing.
    clerk.type(QString(QChar(25)));
    clerk.enter();
    EXPECT_EQ(date->text(), QStringLiteral("2001-5-30"));
    EXPECT_EQ(form->activeControl(), next);
    EXPECT_EQ(next->text(), QString());
}

TEST_F(KeysTest, TypingReplacesTheSelectionRespectsMaxLengthAndBackspaceDeletes) {
    Clerk clerk(*form);
    date->setText(QStringLiteral("old"));
    form->setFocus(*next);
    clerk.tab();  // back at the date via the button and around: select all
    clerk.tab();
    ASSERT_EQ(form->activeControl(), date);
    date->setMaxLength(4);
    clerk.type(QStringLiteral("12345"));
    EXPECT_EQ(date->text(), QStringLiteral("1234"));
    clerk.press(vk::Back);
    EXPECT_EQ(date->text(), QStringLiteral("123"));
    date->setSelection(0, 2);
    clerk.press(vk::Back);
    EXPECT_EQ(date->text(), QStringLiteral("3"));
    date->setReadOnly(true);
    clerk.type(QStringLiteral("9"));
    clerk.press(vk::Back);
    EXPECT_EQ(date->text(), QStringLiteral("3"));
}

TEST_F(KeysTest, KeySwallowedOnItsWayDownTypesNothing) {
    date->onKeyDown = [](Control&, int& key, ShiftState) {
        if (key == 'Q') key = 0;
    };
    Clerk(*form).type(QStringLiteral("aqb"));
    EXPECT_EQ(date->text(), QStringLiteral("ab"));
}

TEST_F(KeysTest, AcceleratorClicksWithoutMovingTheFocus) {
    logFocus(*date);
    Clerk clerk(*form);
    clerk.alt(QLatin1Char('x'));
    EXPECT_EQ(log, QStringList{QStringLiteral("click CloseBtn")});
    EXPECT_EQ(form->activeControl(), date);

    // A disabled or hidden button has no accelerator.
    log.clear();
    closeBtn->setEnabled(false);
    clerk.alt(QLatin1Char('X'));
    closeBtn->setEnabled(true);
    closeBtn->setVisible(false);
    clerk.alt(QLatin1Char('X'));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(KeysTest, EnterClicksTheFocusedButton) {
    Clerk clerk(*form);
    clerk.click(QStringLiteral("CloseBtn"));
    clerk.enter();
    EXPECT_EQ(log, (QStringList{QStringLiteral("click CloseBtn"), QStringLiteral("click CloseBtn")}));
}

TEST_F(KeysTest, KeyUpArrivesAtTheControlFocusedNow) {
    auto keyLog = [this](const QString& what) {
        return [this, what](Control& c, int& key, ShiftState) { log << QStringLiteral("%1 %2 %3").arg(what, c.name()).arg(key); };
    };
    date->onKeyDown = keyLog(QStringLiteral("down"));
    date->onKeyUp = keyLog(QStringLiteral("up"));
    next->onKeyDown = keyLog(QStringLiteral("down"));
    next->onKeyUp = keyLog(QStringLiteral("up"));
    Clerk(*form).tab();
    EXPECT_EQ(log, (QStringList{QStringLiteral("down edDate 9"), QStringLiteral("up edNext 9")}));
}

TEST_F(KeysTest, KeyPreviewSwallowsAltF4AndOtherwiseAltF4Closes) {
    Form& dialog = app().createForm<Form>(QStringLiteral("Form1"));
    Edit& search = dialog.add<Edit>(QStringLiteral("edSearch"));
    search.onKeyDown = [this](Control&, int& key, ShiftState) { log << QString::number(key); };
    dialog.show();
    Clerk clerk(dialog);
    clerk.press(vk::F4, ssAlt);
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(log, QStringList{QStringLiteral("115")});

    log.clear();
    dialog.setKeyPreview(true);
    dialog.onKeyDown = [](Form&, int& key, ShiftState shift) {
        if (key == vk::F4 && (shift & ssAlt)) {
            key = 0;
            showMessage(QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다"));
        }
    };
    dialog.show();
    clerk.press(vk::F4, ssAlt | ssShift);
    EXPECT_TRUE(dialog.visible());
    EXPECT_TRUE(log.isEmpty());  // the control never saw it
    EXPECT_EQ(messages().texts(), QStringList{QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다")});
    clerk.type(QStringLiteral("a"));
    EXPECT_EQ(search.text(), QStringLiteral("a"));
    EXPECT_EQ(log, QStringList{QStringLiteral("65")});
}

}  // namespace
