// Focus rules: the receiver is already active during an exit, requests inside an exit,
// ignored requests, first show and re-show, other forms, and the tab-order walk.
#include "ToolkitTest.h"

using namespace tk;

namespace {

class ActiveLog : public FormObserver {
public:
    void formShown(Form&) override {}
    void formHidden(Form&) override {}
    void formFreed(Form&) override {}
    void activeControlChanged(Form& f) override { seen << (f.activeControl() ? f.activeControl()->name() : QString()); }
    void formGeometryChanged(Form&) override {}
    QStringList seen;
};

class FocusTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = &app().createForm<Form>(QStringLiteral("fmEntry"));
        for (const char* name : {"edA", "edB", "edC", "edD"}) {
            Edit& e = form->add<Edit>(QString::fromLatin1(name));
            e.setTabOrder(static_cast<int>(form->allControls().size()));
            e.setText(QStringLiteral("text of ") + e.name());
            logFocus(e);
        }
        form->show();
        log.clear();
    }
    Edit& ed(const char* name) { return form->edit(QString::fromLatin1(name)); }
    Form* form = nullptr;
};

TEST_F(FocusTest, FirstShowFocusesFirstTabStopRunsItsEnterAndSelectsItsText) {
    Form& f = app().createForm<Form>(QStringLiteral("fmOther"));
    Panel& p = f.add<Panel>(QStringLiteral("Panel1"));
    Edit& second = f.add<Edit>(QStringLiteral("edSecond"), &p);
    second.setTabOrder(1);
    Edit& first = f.add<Edit>(QStringLiteral("edFirst"), &p);
    first.setTabOrder(0);
    first.setText(QStringLiteral("abc"));
    logFocus(first);
    f.show();
    EXPECT_EQ(f.activeControl(), &first);
    EXPECT_EQ(log, QStringList{QStringLiteral("enter edFirst")});
    EXPECT_EQ(first.selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(app().activeForm(), &f);
}

TEST_F(FocusTest, ExitSeesTheReceiverAsActiveControlThenTheReceiverEnters) {
    form->setFocus(QStringLiteral("edC"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("exit edA -> edC"), QStringLiteral("enter edC")}));
    EXPECT_EQ(form->activeControl(), &ed("edC"));
    EXPECT_EQ(ed("edC").selectedText(), QStringLiteral("text of edC"));
}

TEST_F(FocusTest, SecondRequestInsideAnExitHoldsAndTheIntermediateControlRunsNothing) {
    // A failed check: the field sends the focus to another field, then back to itself.
    ed("edA").onExit = [&](Control& c) {
        log << QStringLiteral("exit edA -> ") + form->activeControl()->name();
        form->setFocus(QStringLiteral("edB"));
        log << QStringLiteral("now ") + form->activeControl()->name();
        form->setFocus(c);
    };
    Clerk(*form).tab();
    EXPECT_EQ(log, (QStringList{QStringLiteral("exit edA -> edB"), QStringLiteral("now edB")}));
    EXPECT_EQ(form->activeControl(), &ed("edA"));

    // Two requests to other fields: the last one enters, the one between runs nothing.
    log.clear();
    ed("edA").onExit = [&](Control&) {
        form->setFocus(QStringLiteral("edB"));
        form->setFocus(QStringLiteral("edD"));
    };
    form->setFocus(QStringLiteral("edC"));
    EXPECT_EQ(log, QStringList{QStringLiteral("enter edD")});
    EXPECT_EQ(form->activeControl(), &ed("edD"));

    // The focus really held by edD now: leaving it runs its exit.
    log.clear();
    form->setFocus(QStringLiteral("edB"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("exit edD -> edB"), QStringLiteral("enter edB")}));
}

TEST_F(FocusTest, ObserverHearsOnlyTheSettledFocus) {
    ActiveLog observer;
    form->setObserver(&observer);
    ed("edA").onExit = [&](Control&) {
        form->setFocus(QStringLiteral("edB"));
        form->setFocus(QStringLiteral("edD"));
    };
    form->setFocus(QStringLiteral("edC"));
    EXPECT_EQ(observer.seen, QStringList{QStringLiteral("edD")});
    form->setObserver(nullptr);  // the form outlives this observer
}

TEST_F(FocusTest, AFormThatGoesTellsItsObserverOnce) {
    int freed = 0;
    struct FreedLog : ActiveLog {
        int* count;
        void formFreed(Form&) override { ++*count; }
    } log;
    log.count = &freed;
    form->setObserver(&log);
    app().reset();
    form = nullptr;
    EXPECT_EQ(freed, 1);
}

TEST_F(FocusTest, RequestsForDisabledOrHiddenControlsOrTheirContainersAreIgnored) {
    Panel& disabledPanel = form->add<Panel>(QStringLiteral("pnOff"));
    Edit& inDisabled = form->add<Edit>(QStringLiteral("edInOff"), &disabledPanel);
    disabledPanel.setEnabled(false);
    Panel& hiddenPanel = form->add<Panel>(QStringLiteral("pnHidden"));
    Panel& nested = form->add<Panel>(QStringLiteral("pnNested"), &hiddenPanel);
    Edit& inHidden = form->add<Edit>(QStringLiteral("edInHidden"), &nested);
    hiddenPanel.setVisible(false);
    ed("edB").setEnabled(false);
    ed("edC").setVisible(false);

    EXPECT_FALSE(form->setFocus(QStringLiteral("edB")));
    EXPECT_FALSE(form->setFocus(QStringLiteral("edC")));
    EXPECT_FALSE(form->setFocus(inDisabled));
    EXPECT_FALSE(form->setFocus(inHidden));
    EXPECT_FALSE(form->setFocus(disabledPanel));
    EXPECT_EQ(form->activeControl(), &ed("edA"));
    EXPECT_TRUE(log.isEmpty());

    // A panel itself takes the focus from code.
    Panel& buttons = form->add<Panel>(QStringLiteral("Panel7"));
    EXPECT_TRUE(form->setFocus(buttons));
    EXPECT_EQ(form->activeControl(), &buttons);
}

TEST_F(FocusTest, AnotherFormRunsNoExitAndEachFormKeepsItsControl) {
    form->setFocus(QStringLiteral("edB"));
    log.clear();
    Form& dialog = app().createForm<Form>(QStringLiteral("Form1"));
    Edit& search = dialog.add<Edit>(QStringLiteral("edSearch"));
    Button& close = dialog.add<Button>(QStringLiteral("CloseBtn"));
    logFocus(search);
    dialog.show();
    EXPECT_EQ(log, QStringList{QStringLiteral("enter edSearch")});
    EXPECT_EQ(app().activeForm(), &dialog);

    Clerk clerk(dialog);
    clerk.switchTo(*form);
    clerk.switchTo(dialog);
    EXPECT_EQ(log, QStringList{QStringLiteral("enter edSearch")});
    EXPECT_EQ(form->activeControl(), &ed("edB"));
    EXPECT_EQ(dialog.activeControl(), &search);

    // Closed and shown again: the control that had the focus gets it back, no enter.
    dialog.setFocus(close);
    dialog.close();
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(app().activeForm(), form);
    log.clear();
    dialog.show();
    EXPECT_EQ(dialog.activeControl(), &close);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FocusTest, ExceptionInAnExitKeepsTheFocusInTheField) {
    ed("edA").onExit = [](Control&) { throw std::runtime_error("invalid value"); };
    Clerk(*form).click(QStringLiteral("edC"));
    EXPECT_EQ(form->activeControl(), &ed("edA"));
    EXPECT_EQ(messages().texts(), QStringList{QStringLiteral("invalid value")});
}

TEST_F(FocusTest, MouseLeavesTheCaretAtTheEndKeyboardSelectsAll) {
    Clerk clerk(*form);
    clerk.focus(QStringLiteral("edC"));
    EXPECT_EQ(ed("edC").selLength(), 0);
    EXPECT_EQ(ed("edC").selStart(), ed("edC").text().size());
    clerk.tab();
    EXPECT_EQ(form->activeControl(), &ed("edD"));
    EXPECT_EQ(ed("edD").selectedText(), ed("edD").text());
}

// Tab order: depth-first over nested panels in their own order, skipping what is no tab stop,
// disabled or hidden, and everything inside a disabled or hidden panel; wraps around.
TEST_F(ToolkitTest, TabWalkSkipsDisabledAndHiddenContainersAndWraps) {
    Form& f = app().createForm<Form>(QStringLiteral("fmTabs"));
    auto edit = [&](const char* name, int order, Control* parent = nullptr) -> Edit& {
        Edit& e = f.add<Edit>(QString::fromLatin1(name), parent);
        e.setTabOrder(order);
        return e;
    };
    auto panel = [&](const char* name, int order, Control* parent = nullptr) -> Panel& {
        Panel& p = f.add<Panel>(QString::fromLatin1(name), parent);
        p.setTabOrder(order);
        return p;
    };
    edit("edLast", 9);
    Panel& lines = panel("pnLines", 2);
    edit("edLine2", 1, &lines);
    Panel& inner = panel("pnInner", 0, &lines);
    edit("edInner", 0, &inner);
    edit("edLine1", 0, &lines);  // same order as pnInner, created later: after it
    Panel& off = panel("pnOff", 3);
    edit("edInOff", 0, &off);
    off.setEnabled(false);
    Panel& hidden = panel("pnHidden", 4);
    edit("edInHidden", 0, &hidden);
    hidden.setVisible(false);
    edit("edDisabled", 5).setEnabled(false);
    edit("edNoStop", 6).setTabStop(false);
    f.add<Label>(QStringLiteral("Label1")).setTabOrder(7);
    f.add<Button>(QStringLiteral("btnOk")).setTabOrder(8);
    edit("edFirst", 1);

    QStringList forward;
    Control* c = nullptr;
    for (int i = 0; i < 7; ++i) {
        c = f.findNextControl(c);
        forward << c->name();
    }
    EXPECT_EQ(forward, (QStringList{"edFirst", "edInner", "edLine1", "edLine2", "btnOk", "edLast", "edFirst"}));
    EXPECT_EQ(f.findNextControl(&f.control(QStringLiteral("edFirst")), false)->name(), QStringLiteral("edLast"));
    EXPECT_EQ(f.findNextControl(&f.control(QStringLiteral("btnOk")), false)->name(), QStringLiteral("edLine2"));
    // From a control that cannot take the focus, the walk goes on from its place.
    EXPECT_EQ(f.findNextControl(&f.control(QStringLiteral("edDisabled")))->name(), QStringLiteral("btnOk"));
    EXPECT_EQ(f.findNextControl(&f.control(QStringLiteral("edInOff")))->name(), QStringLiteral("btnOk"));

    f.show();
    Clerk clerk(f);
    clerk.backTab();
    EXPECT_EQ(f.activeControl()->name(), QStringLiteral("edLast"));
    clerk.tab();
    EXPECT_EQ(f.activeControl()->name(), QStringLiteral("edFirst"));
}

}  // namespace
