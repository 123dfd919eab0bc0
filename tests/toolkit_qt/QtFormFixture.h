#pragma once
// A test starts the application afresh with the Qt widgetset; messages are recorded
// (tests that look at the real boxes install the Qt service themselves).

#include "tests/support/QtApplication.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

class QtFormTest : public test::QtApplicationTest<::testing::Test> {
protected:
    void SetUp() override { startApplication(QStringLiteral("시험")); }
    void TearDown() override { stopApplication(); }

    // Shows the form as the program does and waits until its window is the active one.
    static bool showAndActivate(tk::Form& form) {
        tk::app().event([&] { form.show(); });
        return QTest::qWaitForWindowActive(tkqt::windowOf(form));
    }

    static QWidget* focusWidget() { return QApplication::focusWidget(); }
};

// A small entry form: three edits in a row, a button panel, two combo boxes.
class EntryForm : public tk::Form {
public:
    EntryForm() : tk::Form(QStringLiteral("fmEntry")) {
        setCaption(QStringLiteral("대체 전표"));
        setClientSize(400, 150);
        setBorderStyle(tk::BorderStyle::Single);
        maximizeBox = false;
        auto& title = add<tk::Label>(QStringLiteral("Label1"));
        title.setText(QStringLiteral("기준일자"));
        title.setFont(tk::Font{QStringLiteral("굴림"), 12, true, tk::clGreen});
        title.setGeometry({10, 5, 0, 0});
        addEdit(QStringLiteral("edFirst"), 10, 0);
        addEdit(QStringLiteral("edSecond"), 140, 1);
        addEdit(QStringLiteral("edThird"), 270, 2);
        auto& panel = add<tk::Panel>(QStringLiteral("Panel7"));
        panel.setGeometry({10, 55, 380, 40});
        panel.setTabOrder(3);
        addButton(QStringLiteral("InsertBtn"), QStringLiteral("&I 등록"), 5, 0, panel);
        addButton(QStringLiteral("SaveBtn"), QStringLiteral("&S 저장"), 90, 1, panel);
        auto& list = add<tk::ComboBox>(QStringLiteral("cbList"));
        list.setStyle(tk::ComboBox::Style::DropDownList);
        list.setGeometry({10, 110, 150, 21});
        list.setTabOrder(4);
        list.setItems({QStringLiteral("본사"), QStringLiteral("지점"), QStringLiteral("공장")});
        auto& typed = add<tk::ComboBox>(QStringLiteral("cbTyped"));
        typed.setGeometry({170, 110, 150, 21});
        typed.setTabOrder(5);
        typed.setItems({QStringLiteral("전   체"), QStringLiteral("bank")});
    }

private:
    void addEdit(const QString& name, int left, int tabOrder) {
        auto& e = add<tk::Edit>(name);
        e.setGeometry({left, 25, 120, 21});
        e.setTabOrder(tabOrder);
    }
    void addButton(const QString& name, const QString& caption, int left, int tabOrder, tk::Control& parent) {
        auto& b = add<tk::Button>(name, &parent);
        b.setText(caption);
        b.setGeometry({left, 7, 80, 25});
        b.setTabOrder(tabOrder);
    }
};
