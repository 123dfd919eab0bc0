// Real key presses and clicks go into the model first; the widgets follow the model.
#include "QtFormFixture.h"

#include "tests/support/XKeyboard.h"
#include "toolkit/qt/ControlWidgets.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <functional>

namespace {

QLineEdit* lineEdit(tk::Control& c) { return qobject_cast<QLineEdit*>(tkqt::widgetOf(c)); }

class QtInput : public QtFormTest {
protected:
    void SetUp() override {
        QtFormTest::SetUp();
        form = &tk::app().createForm<EntryForm>();
        ASSERT_TRUE(showAndActivate(*form));
        ASSERT_EQ(form->activeControl(), &first());
        ASSERT_EQ(focusWidget(), lineEdit(first()));
    }
    tk::Edit& first() { return form->edit(QStringLiteral("edFirst")); }
    tk::Edit& second() { return form->edit(QStringLiteral("edSecond")); }
    tk::Edit& third() { return form->edit(QStringLiteral("edThird")); }
    tk::Button& save() { return form->button(QStringLiteral("SaveBtn")); }

    EntryForm* form = nullptr;
};

TEST_F(QtInput, ARefusedCharacterNeverReachesTheEdit) {
    first().onKeyPress = [](tk::Control&, QChar& ch) {
        if (!ch.isDigit() && ch != QChar(tk::vk::Back)) ch = QChar();
    };
    int changes = 0;
    first().onChange = [&](tk::Control&) { ++changes; };
    QTest::keyClicks(nullptr, QStringLiteral("1a2b3"));
    EXPECT_EQ(lineEdit(first())->text(), "123");
    EXPECT_EQ(first().text(), "123");
    EXPECT_EQ(changes, 3);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Backspace);
    EXPECT_EQ(first().text(), "12");
    EXPECT_EQ(lineEdit(first())->text(), "12");
}

TEST_F(QtInput, ComposedKoreanTextPassesTheKeyPressHandlers) {
    first().onKeyPress = [](tk::Control&, QChar& ch) {
        if (ch == QChar(0xB798)) ch = QChar();  // '래'
    };
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("거래처"));
    QApplication::sendEvent(focusWidget(), &composed);
    EXPECT_EQ(first().text(), "거처");
    EXPECT_EQ(lineEdit(first())->text(), "거처");
}

TEST_F(QtInput, TypedTextIsAppliedOnceAndKeepsTheMaximumLength) {
    first().setMaxLength(4);
    QTest::keyClicks(nullptr, QStringLiteral("abcdef"));
    EXPECT_EQ(lineEdit(first())->text(), "abcd");
    EXPECT_EQ(first().text(), "abcd");
    // Home, then Delete: the native edit edits, the model takes the new text and caret.
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Home);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Delete);
    EXPECT_EQ(first().text(), "bcd");
    EXPECT_EQ(first().selStart(), 0);
}

TEST_F(QtInput, AKeySwallowedOnItsWayDownTypesNothing) {
    form->setKeyPreview(true);
    form->onKeyDown = [](tk::Form&, int& key, tk::ShiftState) {
        if (key == 'X') key = 0;
    };
    int pressed = 0;
    first().onKeyPress = [&](tk::Control&, QChar&) { ++pressed; };
    QTest::keyClicks(nullptr, QStringLiteral("axb"));
    EXPECT_EQ(first().text(), "ab");
    EXPECT_EQ(pressed, 2);
}

// Pasting is Ctrl+V to the key-press handlers, whichever key asks for it; a drop pastes nothing.
TEST_F(QtInput, PastedTextPassesTheKeyPressHandlersOrNothingArrives) {
    QString seen;
    first().onKeyPress = [&](tk::Control&, QChar& ch) {
        seen += ch;
        if (!ch.isDigit()) ch = QChar();
    };
    QApplication::clipboard()->setText(QStringLiteral("12ab"));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(seen, QString(2, QChar(0x16)));
    EXPECT_TRUE(first().text().isEmpty());
    EXPECT_TRUE(lineEdit(first())->text().isEmpty());

    QMimeData dragged;
    dragged.setText(QStringLiteral("99"));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(lineEdit(first()), &drop);
    EXPECT_TRUE(lineEdit(first())->text().isEmpty());
    EXPECT_TRUE(first().text().isEmpty());

    // A field that lets Ctrl+V through takes the text, model and widget alike.
    first().onKeyPress = nullptr;
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(first().text(), "12ab");
    EXPECT_EQ(lineEdit(first())->text(), "12ab");
}

TEST_F(QtInput, AClickOnAnotherEditRunsTheExitWithTheNewControlActive) {
    QString activeDuringExit;
    first().onExit = [&](tk::Control& c) { activeDuringExit = c.form().activeControl()->name(); };
    QTest::mouseClick(lineEdit(second()), Qt::LeftButton);
    EXPECT_EQ(activeDuringExit, "edSecond");
    EXPECT_EQ(form->activeControl(), &second());
    EXPECT_EQ(focusWidget(), lineEdit(second()));
    QTest::keyClicks(nullptr, QStringLiteral("ok"));
    EXPECT_EQ(second().text(), "ok");
    EXPECT_TRUE(first().text().isEmpty());
}

TEST_F(QtInput, AClickWhoseExitSentTheFocusElsewhereDoesNotClick) {
    first().onExit = [&](tk::Control&) { form->setFocus(third()); };
    int clicks = 0;
    save().onClick = [&](tk::Control&) { ++clicks; };
    QTest::mouseClick(tkqt::widgetOf(save()), Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form->activeControl(), &third());
    EXPECT_EQ(focusWidget(), lineEdit(third()));
    // Without the detour the click clicks.
    first().onExit = nullptr;
    QTest::mouseClick(tkqt::widgetOf(save()), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(focusWidget(), tkqt::widgetOf(save()));
}

TEST_F(QtInput, TabFollowsTheModelsTabOrderSkippingADisabledControl) {
    second().setEnabled(false);
    QStringList exits;
    for (tk::Edit* e : {&first(), &third()}) e->onExit = [&](tk::Control& c) { exits << c.name(); };
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
    EXPECT_EQ(form->activeControl(), &third());
    EXPECT_EQ(focusWidget(), lineEdit(third()));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
    EXPECT_EQ(form->activeControl(), &form->button(QStringLiteral("InsertBtn")));
    EXPECT_EQ(focusWidget(), tkqt::widgetOf(form->button(QStringLiteral("InsertBtn"))));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusWidget(), lineEdit(third()));
    EXPECT_EQ(exits, QStringList({"edFirst", "edThird"}));
    EXPECT_TRUE(third().text().isEmpty());  // no tab character typed
}

TEST_F(QtInput, AltAndTheUnderlinedLetterClicksWithoutMovingTheFocus) {
    int clicks = 0, exits = 0;
    save().onClick = [&](tk::Control&) { ++clicks; };
    first().onExit = [&](tk::Control&) { ++exits; };
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(form->activeControl(), &first());
    EXPECT_EQ(focusWidget(), lineEdit(first()));
    EXPECT_TRUE(first().text().isEmpty());
    // Qt's own mnemonic is gone: only the model clicked.
    EXPECT_TRUE(static_cast<QPushButton*>(tkqt::widgetOf(save()))->shortcut().isEmpty());
}

class QtButtonKey : public QtInput, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(QtButtonKey, OnTheFocusedButtonClicksItOnce) {
    int clicks = 0;
    save().onClick = [&](tk::Control&) { ++clicks; };
    form->setFocus(save());
    ASSERT_EQ(focusWidget(), tkqt::widgetOf(save()));
    QTest::keyClick(static_cast<QWidget*>(nullptr), GetParam());
    EXPECT_EQ(clicks, 1);
}

INSTANTIATE_TEST_SUITE_P(EnterOrSpace, QtButtonKey, ::testing::Values(Qt::Key_Return, Qt::Key_Space),
                         [](const auto& p) { return p.param == Qt::Key_Return ? "Enter" : "Space"; });

TEST_F(QtInput, EnterReachesTheKeyPressHandlerThatMovesOn) {
    first().onKeyPress = [&](tk::Control&, QChar& ch) {
        if (ch == QLatin1Char('\r')) {
            form->selectNext();
            ch = QChar();
        }
    };
    QTest::keyClicks(nullptr, QStringLiteral("12"));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    EXPECT_EQ(focusWidget(), lineEdit(second()));
    EXPECT_EQ(first().text(), "12");
    EXPECT_TRUE(second().text().isEmpty());
}

TEST_F(QtInput, KeyUpGoesToTheControlFocusedWhenTheKeyComesUp) {
    QStringList ups;
    for (tk::Edit* e : {&first(), &second()}) {
        e->onKeyUp = [&](tk::Control& c, int& key, tk::ShiftState) { ups << c.name() + QString::number(key); };
    }
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
    EXPECT_EQ(ups, QStringList({"edSecond9"}));
}

TEST_F(QtInput, TheListPicksAnEntryByKeyAndFiresTheChange) {
    tk::ComboBox& list = form->comboBox(QStringLiteral("cbList"));
    list.setItemIndex(0);
    QStringList changes;
    list.onChange = [&](tk::Control& c) { changes << c.text(); };
    QTest::mouseClick(tkqt::widgetOf(list), Qt::LeftButton);  // focus, and the list opens
    EXPECT_EQ(form->activeControl(), &list);
    EXPECT_TRUE(list.droppedDown());
    list.setDroppedDown(false);
    EXPECT_FALSE(static_cast<tkqt::TkComboBox*>(tkqt::widgetOf(list))->popupVisible());
    ASSERT_EQ(focusWidget(), tkqt::widgetOf(list));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Down);
    EXPECT_EQ(list.itemIndex(), 1);
    EXPECT_EQ(changes, QStringList({"지점"}));
}

TEST_F(QtInput, TypingIntoTheComboEditPartReachesTheModel) {
    tk::ComboBox& typed = form->comboBox(QStringLiteral("cbTyped"));
    typed.setItemIndex(0);
    int changes = 0;
    typed.onChange = [&](tk::Control&) { ++changes; };
    form->setFocus(typed);
    ASSERT_EQ(focusWidget(), tkqt::widgetOf(typed));
    QTest::keyClicks(nullptr, QStringLiteral("bank"));  // replaces the text selected on arrival
    EXPECT_EQ(typed.text(), "bank");
    EXPECT_EQ(typed.itemIndex(), 1);
    EXPECT_EQ(changes, 4);
    auto* combo = static_cast<QComboBox*>(tkqt::widgetOf(typed));
    EXPECT_EQ(combo->currentText(), "bank");
    EXPECT_EQ(combo->count(), 2);  // Enter-free typing added no entry
}

// A list its enter handler drops down and its exit closes. Clicks go through the window,
// as the window system delivers them: an open popup takes the release there.
class QtDropDown : public QtInput {
protected:
    void SetUp() override {
        QtInput::SetUp();
        tk::ComboBox& list = typed();
        list.setItemIndex(0);
        list.onEnter = [&list](tk::Control&) { list.setDroppedDown(true); };
        list.onExit = [&list](tk::Control&) { list.setDroppedDown(false); };
        list.onChange = [this](tk::Control& c) { changes << c.text(); };
        first().onKeyPress = [this](tk::Control&, QChar& ch) {
            if (ch == QLatin1Char('\r')) form->setFocus(typed());
        };
    }
    tk::ComboBox& typed() { return form->comboBox(QStringLiteral("cbTyped")); }
    tkqt::TkComboBox* combo() { return static_cast<tkqt::TkComboBox*>(tkqt::widgetOf(typed())); }
    static void click(QWidget* w, QPoint at) {
        QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), at));
    }
    void clickOn(QStyle::SubControl part) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo());
        opt.editable = true;
        click(combo(), combo()->style()->subControlRect(QStyle::CC_ComboBox, &opt, part, combo()).center());
    }
    bool popupShown() { return combo()->popupVisible() && combo()->view()->isVisible() && typed().droppedDown(); }
    // The popup reaches the state, bounded in time, and keeps it once the events queued by
    // then (whatever the click still has queued) are handled.
    static bool settlesTo(const std::function<bool()>& state) {
        if (!QTest::qWaitFor(state)) return false;
        QCoreApplication::processEvents();
        return state();
    }
    bool popupOpens() {
        return settlesTo([this] { return popupShown(); });
    }
    bool popupCloses() {
        return settlesTo([this] { return !(popupShown() || typed().droppedDown()); });
    }
    QStringList changes;
};

// SC_None: Enter from the edit.
class QtDropDownEntered : public QtDropDown, public ::testing::WithParamInterface<QStyle::SubControl> {};

TEST_P(QtDropDownEntered, LeavesTheListOpen) {
    if (GetParam() == QStyle::SC_None) QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    else clickOn(GetParam());
    EXPECT_EQ(form->activeControl(), &typed());
    EXPECT_TRUE(popupOpens());
    EXPECT_TRUE(changes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(By, QtDropDownEntered,
                         ::testing::Values(QStyle::SC_ComboBoxEditField, QStyle::SC_ComboBoxArrow, QStyle::SC_None),
                         [](const auto& p) {
                             if (p.param == QStyle::SC_None) return "Enter";
                             return p.param == QStyle::SC_ComboBoxArrow ? "Arrow" : "Text";
                         });

TEST_F(QtDropDown, AnEntryPickedWithTheMouseIsOneChange) {
    clickOn(QStyle::SC_ComboBoxEditField);
    ASSERT_TRUE(popupOpens());
    QAbstractItemView* list = combo()->view();
    click(list->viewport(), list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_TRUE(popupCloses());
    EXPECT_EQ(typed().itemIndex(), 1);
    EXPECT_EQ(changes, QStringList({"bank"}));
    EXPECT_EQ(combo()->lineEdit()->text(), "bank");
}

// The open list holds the X keyboard: Alt and a letter still reach the form, and the list
// shows what the handlers made of it (a click that leaves the focus keeps it open, a move of
// the focus runs the exit that closes it).
TEST_F(QtDropDown, AnAcceleratorReachesTheFormWhileTheListIsOpen) {
    int saves = 0;
    save().onClick = [&](tk::Control&) { ++saves; };
    form->button(QStringLiteral("InsertBtn")).onClick = [this](tk::Control&) { form->setFocus(second()); };
    ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("Return")));
    ASSERT_TRUE(popupOpens());

    ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("alt+s")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return saves == 1; }));
    EXPECT_EQ(form->activeControl(), &typed());
    EXPECT_TRUE(popupOpens());

    ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("alt+i")));
    EXPECT_TRUE(popupCloses());
    EXPECT_EQ(form->activeControl(), &second());
    EXPECT_EQ(focusWidget(), lineEdit(second()));
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(QtDropDown, OtherKeysStayTheOpenLists) {
    ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("Return")));
    ASSERT_TRUE(popupOpens());
    ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("Down")));
    ASSERT_TRUE(test::typeOnXKeyboard(QStringLiteral("Return")));
    EXPECT_TRUE(popupCloses());
    EXPECT_EQ(changes, QStringList({"bank"}));
    EXPECT_EQ(form->activeControl(), &typed());
}

}  // namespace
