// Controls: change handlers from code and from the clerk, combo boxes, accelerators,
// colours, and mouse clicks.
#include "ToolkitTest.h"

using namespace tk;

namespace {

class ControlsTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = &app().createForm<Form>(QStringLiteral("fmControls"));
        edit = &form->add<Edit>(QStringLiteral("edName"));
        combo = &form->add<ComboBox>(QStringLiteral("cbKubun"));
        combo->setTabOrder(1);
        combo->setItems({QStringLiteral("본점"), QStringLiteral("지점"), QStringLiteral("지점2")});
        button = &form->add<Button>(QStringLiteral("SaveBtn"));
        button->setTabOrder(2);
        button->setText(QStringLiteral("&S 저장"));
        edit->onChange = logged(QStringLiteral("change"));
        combo->onChange = logged(QStringLiteral("change"));
        button->onClick = logged(QStringLiteral("click"));
        form->show();
    }
    Form* form = nullptr;
    Edit* edit = nullptr;
    ComboBox* combo = nullptr;
    Button* button = nullptr;
};

TEST_F(ControlsTest, EditChangeFiresFromCodeOnlyWhenTheTextChanges) {
    edit->setText(QStringLiteral("a"));
    edit->setText(QStringLiteral("a"));
    EXPECT_EQ(log, QStringList{QStringLiteral("change edName")});
    EXPECT_EQ(edit->selStart(), 1);
    Clerk(*form).type(QStringLiteral("b"));
    EXPECT_EQ(log.size(), 2);
}

TEST_F(ControlsTest, ComboIndexOrTextFromCodeFiresNoChange) {
    combo->setItemIndex(1);
    EXPECT_EQ(combo->text(), QStringLiteral("지점"));
    combo->setText(QStringLiteral("본점"));
    EXPECT_EQ(combo->itemIndex(), 0);
    combo->setText(QStringLiteral("없는 곳"));
    EXPECT_EQ(combo->itemIndex(), -1);
    combo->setItemIndex(7);
    EXPECT_EQ(combo->itemIndex(), -1);
    EXPECT_EQ(combo->text(), QString());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(ControlsTest, ComboChoiceOrTypingByTheClerkFiresChange) {
    Clerk clerk(*form);
    clerk.pick(QStringLiteral("cbKubun"), 1);
    EXPECT_EQ(combo->itemIndex(), 1);
    EXPECT_FALSE(combo->droppedDown());
    EXPECT_EQ(log, QStringList{QStringLiteral("change cbKubun")});

    // Typed text matches an item exactly, or none.
    log.clear();
    clerk.selectAllAndType(QStringLiteral("본점"));
    EXPECT_EQ(combo->text(), QStringLiteral("본점"));
    EXPECT_EQ(combo->itemIndex(), 0);
    clerk.type(QStringLiteral("x"));
    EXPECT_EQ(combo->itemIndex(), -1);
    EXPECT_EQ(log.size(), 3);

    // A list-only combo picks the entry that begins with the typed letter.
    combo->setStyle(ComboBox::Style::DropDownList);
    combo->setItems({QStringLiteral("Alpha"), QStringLiteral("beta")});
    clerk.type(QStringLiteral("B"));
    EXPECT_EQ(combo->itemIndex(), 1);
    EXPECT_EQ(combo->text(), QStringLiteral("beta"));
}

TEST_F(ControlsTest, ButtonClickIsCancelledWhenTheExitMovesTheFocusElsewhere) {
    edit->onExit = [this](Control& c) {
        if (c.text().isEmpty()) form->setFocus(c);  // the check fails: back to the field
    };
    Clerk clerk(*form);
    clerk.click(QStringLiteral("SaveBtn"));
    EXPECT_EQ(form->activeControl(), edit);
    EXPECT_TRUE(log.isEmpty());

    clerk.type(QStringLiteral("x"));
    log.clear();
    clerk.click(QStringLiteral("SaveBtn"));
    EXPECT_EQ(form->activeControl(), button);
    EXPECT_EQ(log, QStringList{QStringLiteral("click SaveBtn")});
}

TEST_F(ControlsTest, LabelsAndPanelsClickWithoutTakingTheFocusDisabledControlsNotAtAll) {
    Label& label = form->add<Label>(QStringLiteral("Label1"));
    label.onClick = logged(QStringLiteral("click"));
    Panel& panel = form->add<Panel>(QStringLiteral("Panel1"));
    panel.onClick = logged(QStringLiteral("click"));
    Clerk clerk(*form);
    clerk.click(QStringLiteral("Label1"));
    clerk.click(QStringLiteral("Panel1"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("click Label1"), QStringLiteral("click Panel1")}));
    EXPECT_EQ(form->activeControl(), edit);

    log.clear();
    button->setEnabled(false);
    clerk.click(QStringLiteral("SaveBtn"));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(form->activeControl(), edit);
}

TEST(Accelerator, IsTheLetterAfterAnAmpersand) {
    Form f(QStringLiteral("f"));
    Button& b = f.add<Button>(QStringLiteral("b"));
    const std::pair<const char*, QChar> cases[] = {
        {"&X 종료", QLatin1Char('X')}, {"&r 검색", QLatin1Char('R')}, {"D 삭제", QChar()},
        {"a&&b", QChar()},             {"a&&&c", QLatin1Char('C')},  {"end&", QChar()},
    };
    for (const auto& [caption, letter] : cases) {
        b.setText(QString::fromUtf8(caption));
        EXPECT_EQ(b.accelerator(), letter) << caption;
    }
}

TEST(Colors, NamesAndHexParseOthersAreRefused) {
    EXPECT_EQ(colorFromName(QStringLiteral("clAqua")), clAqua);
    EXPECT_EQ(colorFromName(QStringLiteral("clBtnFace")), clBtnFace);
    EXPECT_EQ(colorFromName(QStringLiteral("#12AbEf")), 0x12ABEFu);
    EXPECT_THROW(colorFromName(QStringLiteral("clPink")), std::invalid_argument);
    EXPECT_THROW(colorFromName(QStringLiteral("#12345")), std::invalid_argument);
    EXPECT_THROW(colorFromName(QStringLiteral("#GG0000")), std::invalid_argument);
}

}  // namespace
