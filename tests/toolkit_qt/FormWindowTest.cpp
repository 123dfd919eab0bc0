// The window and widgets show the model: places, sizes, captions, fonts, colours, and every
// later change the model makes.
#include "QtFormFixture.h"

#include "toolkit/qt/ControlWidgets.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// A lookup-style dialog: no border icons at all, Alt+F4 refused by key preview.
class DialogForm : public tk::Form {
public:
    DialogForm() : tk::Form(QStringLiteral("Form1")) {
        setCaption(QStringLiteral("회계 계정과목을 검색하는 창입니다."));
        setClientSize(300, 120);
        setBorderStyle(tk::BorderStyle::Single);
        systemMenu = minimizeBox = maximizeBox = false;
        setKeyPreview(true);
        onKeyDown = [](tk::Form&, int& key, tk::ShiftState shift) {
            if (key == tk::vk::F4 && (shift & tk::ssAlt)) {
                key = 0;
                tk::showMessage(QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다"));
            }
        };
        auto& search = add<tk::Edit>(QStringLiteral("edSearch"));
        search.setGeometry({10, 10, 200, 21});
    }
};

using QtWindow = QtFormTest;

TEST_F(QtWindow, HasTheFixedClientSizeCaptionAndBorderIconsOfTheForm) {
    auto& main = tk::app().createForm<EntryForm>();
    auto& dialog = tk::app().createForm<DialogForm>();
    QWidget* w = tkqt::windowOf(main);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "대체 전표");
    EXPECT_EQ(w->size(), QSize(400, 150));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());  // single border: not resizable
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    QWidget* d = tkqt::windowOf(dialog);
    EXPECT_FALSE(d->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(d->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(w->isVisible());  // created hidden
}

TEST_F(QtWindow, ControlsSitAtTheirPixelPlacesInsideTheirPanels) {
    auto& f = tk::app().createForm<EntryForm>();
    QWidget* panel = tkqt::widgetOf(f.panel(QStringLiteral("Panel7")));
    QWidget* save = tkqt::widgetOf(f.button(QStringLiteral("SaveBtn")));
    EXPECT_EQ(save->parentWidget(), panel);
    EXPECT_EQ(save->geometry(), QRect(90, 7, 80, 25));
    EXPECT_EQ(tkqt::widgetOf(f.edit(QStringLiteral("edThird")))->geometry(), QRect(270, 25, 120, 21));
    EXPECT_TRUE(qobject_cast<QComboBox*>(tkqt::widgetOf(f.comboBox(QStringLiteral("cbTyped"))))->isEditable());
    EXPECT_FALSE(qobject_cast<QComboBox*>(tkqt::widgetOf(f.comboBox(QStringLiteral("cbList"))))->isEditable());
    // A label without a designed size fits its text.
    auto* label = qobject_cast<QLabel*>(tkqt::widgetOf(f.label(QStringLiteral("Label1"))));
    EXPECT_EQ(label->pos(), QPoint(10, 5));
    EXPECT_GT(label->width(), 20);
}

TEST_F(QtWindow, ModelChangesShowInTheWidgets) {
    auto& f = tk::app().createForm<EntryForm>();
    ASSERT_TRUE(showAndActivate(f));
    tk::Edit& e = f.edit(QStringLiteral("edSecond"));
    auto* w = qobject_cast<QLineEdit*>(tkqt::widgetOf(e));
    e.setText(QStringLiteral("2001-05-30"));
    EXPECT_EQ(w->text(), "2001-05-30");
    e.setColor(tk::clAqua);
    EXPECT_EQ(w->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_EQ(w->palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 255, 255));
    e.setEnabled(false);
    EXPECT_FALSE(w->isEnabled());
    e.setReadOnly(true);
    EXPECT_TRUE(w->isReadOnly());
    e.setMaxLength(10);
    EXPECT_EQ(w->maxLength(), 10);
    e.setGeometry({140, 30, 100, 21});
    EXPECT_EQ(w->geometry(), QRect(140, 30, 100, 21));
    e.setFont(tk::Font{QStringLiteral("굴림"), 13, true, tk::clBlue});
    EXPECT_EQ(w->font().pixelSize(), 13);
    EXPECT_TRUE(w->font().bold());
    EXPECT_EQ(w->palette().color(QPalette::Active, QPalette::Text), QColor(0, 0, 255));

    tk::Panel& panel = f.panel(QStringLiteral("Panel7"));
    panel.setVisible(false);
    EXPECT_FALSE(tkqt::widgetOf(panel)->isVisible());
    EXPECT_FALSE(tkqt::widgetOf(f.button(QStringLiteral("SaveBtn")))->isVisible());
    panel.setVisible(true);
    EXPECT_TRUE(tkqt::widgetOf(f.button(QStringLiteral("SaveBtn")))->isVisible());
    panel.setColor(tk::clAqua);
    EXPECT_EQ(tkqt::widgetOf(panel)->palette().color(QPalette::Window), QColor(0, 255, 255));

    tk::Edit& first = f.edit(QStringLiteral("edFirst"));
    first.setText(QStringLiteral("abcdef"));
    first.setSelection(1, 3);
    auto* fw = qobject_cast<QLineEdit*>(tkqt::widgetOf(first));
    EXPECT_EQ(fw->selectedText(), "bcd");

    f.setCaption(QStringLiteral("대체 전표 (수정)"));
    EXPECT_EQ(tkqt::windowOf(f)->windowTitle(), "대체 전표 (수정)");
}

TEST_F(QtWindow, TheComboShowsItsItemsIndexAndList) {
    auto& f = tk::app().createForm<EntryForm>();
    ASSERT_TRUE(showAndActivate(f));
    tk::ComboBox& list = f.comboBox(QStringLiteral("cbList"));
    auto* w = qobject_cast<tkqt::TkComboBox*>(tkqt::widgetOf(list));
    EXPECT_EQ(w->count(), 3);
    EXPECT_EQ(w->currentIndex(), -1);
    int changes = 0;
    list.onChange = [&](tk::Control&) { ++changes; };
    list.setItemIndex(2);
    EXPECT_EQ(w->currentIndex(), 2);
    EXPECT_EQ(w->currentText(), "공장");
    list.setItems({QStringLiteral("가"), QStringLiteral("나")});
    EXPECT_EQ(w->count(), 2);
    EXPECT_EQ(w->currentIndex(), -1);
    EXPECT_EQ(changes, 0);  // the model's own changes are no choice of the clerk
    list.setDroppedDown(true);
    EXPECT_TRUE(w->popupVisible());
    list.setDroppedDown(false);
    EXPECT_FALSE(w->popupVisible());
    EXPECT_FALSE(list.droppedDown());

    tk::ComboBox& typed = f.comboBox(QStringLiteral("cbTyped"));
    int typedChanges = 0;
    typed.onChange = [&](tk::Control&) { ++typedChanges; };
    typed.setItemIndex(1);
    typed.setText(QStringLiteral("부분"));
    auto* tw = qobject_cast<QComboBox*>(tkqt::widgetOf(typed));
    EXPECT_EQ(tw->currentText(), "부분");
    EXPECT_EQ(tw->currentIndex(), -1);
    EXPECT_EQ(typed.text(), "부분");
    EXPECT_EQ(typedChanges, 0);
}

TEST_F(QtWindow, TheButtonCaptionUnderlinesItsLetterWithoutAQtShortcut) {
    auto& f = tk::app().createForm<EntryForm>();
    auto* b = qobject_cast<QPushButton*>(tkqt::widgetOf(f.button(QStringLiteral("SaveBtn"))));
    EXPECT_EQ(b->text(), "&S 저장");
    EXPECT_TRUE(b->shortcut().isEmpty());
    f.button(QStringLiteral("SaveBtn")).setText(QStringLiteral("&R 검색"));
    EXPECT_EQ(b->text(), "&R 검색");
    EXPECT_TRUE(b->shortcut().isEmpty());
}

TEST_F(QtWindow, KoreanTextUsesAnInstalledKoreanFont) {
    auto& f = tk::app().createForm<EntryForm>();
    f.edit(QStringLiteral("edFirst")).setText(QStringLiteral("2001-05-30"));
    f.edit(QStringLiteral("edSecond")).setText(QStringLiteral("거래처 및 은행"));
    ASSERT_TRUE(showAndActivate(f));
    QWidget* label = tkqt::widgetOf(f.label(QStringLiteral("Label1")));
    const QFontInfo info(label->font());
    EXPECT_TRUE(info.family().startsWith(QLatin1String("Nanum"))) << info.family().toStdString();
    EXPECT_TRUE(info.bold());
    EXPECT_EQ(info.pixelSize(), 12);
    const QString png = QDir::temp().filePath(QStringLiteral("tkqt_entry_form.png"));
    ASSERT_TRUE(tkqt::grabForm(f, png));
    const QImage shot(png);
    EXPECT_EQ(shot.size(), QSize(400, 150) * shot.devicePixelRatio());
}

TEST_F(QtWindow, TheCloseBoxAsksTheModel) {
    auto& main = tk::app().createForm<EntryForm>();
    auto& dialog = tk::app().createForm<DialogForm>();
    auto& other = tk::app().createForm<EntryForm>();
    ASSERT_TRUE(showAndActivate(main));
    ASSERT_TRUE(showAndActivate(dialog));
    // No close box: the close request is Alt+F4, which the dialog refuses.
    tkqt::windowOf(dialog)->close();
    EXPECT_TRUE(dialog.visible());
    EXPECT_TRUE(tkqt::windowOf(dialog)->isVisible());
    EXPECT_EQ(messages_->texts(), QStringList({"현재 \"Alt+F4\"키는 종료를 못 시킵니다"}));
    // A secondary form with a close box hides and keeps its state.
    ASSERT_TRUE(showAndActivate(other));
    other.edit(QStringLiteral("edFirst")).setText(QStringLiteral("kept"));
    tkqt::windowOf(other)->close();
    EXPECT_FALSE(other.visible());
    EXPECT_FALSE(tkqt::windowOf(other)->isVisible());
    EXPECT_EQ(other.edit(QStringLiteral("edFirst")).text(), "kept");
    EXPECT_FALSE(tk::app().terminated());
}

TEST_F(QtWindow, ActivatingAnotherWindowMakesItsFormActiveWithoutAnExit) {
    auto& main = tk::app().createForm<EntryForm>();
    auto& dialog = tk::app().createForm<DialogForm>();
    ASSERT_TRUE(showAndActivate(main));
    ASSERT_TRUE(showAndActivate(dialog));
    int exits = 0;
    dialog.edit(QStringLiteral("edSearch")).onExit = [&](tk::Control&) { ++exits; };
    // The clerk brings the main window forward.
    tkqt::windowOf(main)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(main)));
    EXPECT_EQ(tk::app().activeForm(), &main);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(QApplication::focusWidget(), tkqt::widgetOf(main.edit(QStringLiteral("edFirst"))));
    // Hiding the dialog later leaves the main window active.
    tk::app().event([&] { dialog.close(); });
    EXPECT_FALSE(tkqt::windowOf(dialog)->isVisible());
    EXPECT_EQ(tk::app().activeForm(), &main);
}

TEST_F(QtWindow, AClickIntoAnotherWindowActivatesItAndRunsNoExitInTheFormLeft) {
    auto& main = tk::app().createForm<EntryForm>();
    auto& dialog = tk::app().createForm<DialogForm>();
    dialog.setPosition(500, 0);
    ASSERT_TRUE(showAndActivate(dialog));
    ASSERT_TRUE(showAndActivate(main));
    int exits = 0;
    main.edit(QStringLiteral("edFirst")).onExit = [&](tk::Control&) { ++exits; };
    QWidget* search = tkqt::widgetOf(dialog.edit(QStringLiteral("edSearch")));
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(tk::app().activeForm(), &dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(dialog)));
    EXPECT_EQ(QApplication::focusWidget(), search);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(main.activeControl(), &main.edit(QStringLiteral("edFirst")));
}

TEST_F(QtWindow, TheFormsPlaceFollowsTheModelAndTheClerk) {
    auto& f = tk::app().createForm<EntryForm>();
    f.setPosition(120, 80);
    ASSERT_TRUE(showAndActivate(f));
    QWidget* w = tkqt::windowOf(f);
    EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(120, 80));
    // The clerk drags it away: the form remembers the place.
    w->move(200, 150);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.left() == 200; }));
    EXPECT_EQ(f.left(), 200);
    EXPECT_EQ(f.top(), 150);
    EXPECT_EQ(f.width(), 400 + widgetset_->frameWidth());
}

TEST_F(QtWindow, ClosingTheMainFormByItsCloseBoxEndsTheRun) {
    auto& main = tk::app().createForm<EntryForm>();
    QTimer::singleShot(0, [&main] { tkqt::windowOf(main)->close(); });
    tk::app().run();  // returns once the loop has ended
    EXPECT_TRUE(tk::app().terminated());
    EXPECT_FALSE(main.visible());
}

}  // namespace
