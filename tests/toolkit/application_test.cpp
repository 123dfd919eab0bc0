// The application: error dialog for escaped exceptions, message boxes, the hourglass,
// forms in creation order, closing and the run.
#include "ToolkitTest.h"

using namespace tk;

namespace {

class CountingCursor : public CursorService {
public:
    void setHourglass(bool on) override { changes.push_back(on); }
    std::vector<bool> changes;
};

TEST_F(ToolkitTest, ExceptionInAHandlerReachesTheErrorDialogAndTheProgramGoesOn) {
    Form& f = app().createForm<Form>(QStringLiteral("fmMain"));
    Edit& field = f.add<Edit>(QStringLiteral("edField"));
    Button& save = f.add<Button>(QStringLiteral("SaveBtn"));
    // A change handler deep inside the click throws: the rest of the click does not run,
    // and the error is shown once, by the outermost event.
    field.onChange = [](Control&) { throw std::runtime_error("테이블이 없습니다"); };
    save.onClick = [&](Control&) {
        log << QStringLiteral("before");
        field.setText(QStringLiteral("new"));
        log << QStringLiteral("after");
    };
    f.show();
    Clerk clerk(f);
    clerk.click(QStringLiteral("SaveBtn"));
    EXPECT_EQ(log, QStringList{QStringLiteral("before")});
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, Message::Kind::Error);
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(messages().log()[0].text, QStringLiteral("테이블이 없습니다"));
    EXPECT_FALSE(app().inEvent());

    // The next event runs as usual.
    field.onChange = nullptr;
    clerk.focus(QStringLiteral("edField"));
    clerk.type(QStringLiteral("ok"));
    EXPECT_EQ(field.text(), QStringLiteral("newok"));
    EXPECT_FALSE(app().terminated());
}

TEST_F(ToolkitTest, CreationHandlersRunInOrderAndAFailingOneDoesNotStopCreation) {
    struct Dialog : Form {
        Dialog(QString name, QStringList& log, bool fail) : Form(std::move(name)) {
            onCreate = [&log, fail](Form& f) {
                log << f.name();
                if (fail) throw std::runtime_error("no connection");
            };
        }
    };
    Form& main = app().createForm<Dialog>(QStringLiteral("fmMain"), log, false);
    app().createForm<Dialog>(QStringLiteral("Form1"), log, true);
    Form& second = app().createForm<Dialog>(QStringLiteral("Form7"), log, false);
    EXPECT_EQ(log, (QStringList{"fmMain", "Form1", "Form7"}));
    EXPECT_EQ(app().mainForm(), &main);
    EXPECT_EQ(app().forms().size(), 3u);
    EXPECT_EQ(app().forms().back().get(), &second);
    EXPECT_EQ(messages().texts(), QStringList{QStringLiteral("no connection")});
    EXPECT_FALSE(main.visible());

    app().run();  // headless: shows the main form and returns
    EXPECT_TRUE(main.visible());
    EXPECT_EQ(app().activeForm(), &main);
}

TEST_F(ToolkitTest, ClosingHidesASecondaryFormAndEndsTheRunForTheMainForm) {
    Form& main = app().createForm<Form>(QStringLiteral("fmMain"));
    Form& dialog = app().createForm<Form>(QStringLiteral("Form1"));
    Edit& search = dialog.add<Edit>(QStringLiteral("edSearch"));
    main.show();
    dialog.show();
    Clerk(dialog).type(QStringLiteral("kim"));
    dialog.close();
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(app().terminated());
    EXPECT_EQ(search.text(), QStringLiteral("kim"));

    // A close handler may refuse.
    main.onClose = [](Form&, CloseAction& action) { action = CloseAction::None; };
    main.userClose();
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(app().terminated());

    main.onClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
    main.userClose();
    EXPECT_TRUE(app().terminated());
    EXPECT_FALSE(main.visible());
}

TEST_F(ToolkitTest, MessageBoxesCarryTheirCaptions) {
    showWarning(QStringLiteral("기준일자를 선택하세요."));
    showMessage(QStringLiteral("잘못 입력하셨습니다"));
    ASSERT_EQ(messages().log().size(), 2u);
    EXPECT_EQ(messages().log()[0].kind, Message::Kind::Warning);
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(messages().log()[1].kind, Message::Kind::Plain);
    EXPECT_EQ(messages().log()[1].caption, QStringLiteral("Varo-Quint"));
}

TEST_F(ToolkitTest, HourglassNestsAndIsRestoredByAnException) {
    auto cursor = std::make_unique<CountingCursor>();
    CountingCursor& c = *cursor;
    app().setCursorService(std::move(cursor));
    app().event([] {
        HourglassCursor outer;
        {
            HourglassCursor inner;
        }
        throw std::runtime_error("query failed");
    });
    EXPECT_EQ(c.changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(messages().texts(), QStringList{QStringLiteral("query failed")});
}

}  // namespace
