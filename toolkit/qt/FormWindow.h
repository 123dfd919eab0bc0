#pragma once
// The window of one toolkit form: a top-level widget with the form's fixed client size and
// one child widget per control. It shows every model change (FormObserver, ControlObserver)
// and routes real input into the model first (event filters): the model decides, the
// native widget only applies what the model let through.

#include "toolkit/Form.h"

#include <QWidget>
#include <map>

class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;

namespace tkqt {

class FormWindow : public QWidget, public tk::FormObserver, public tk::ControlObserver {
    Q_OBJECT
public:
    explicit FormWindow(tk::Form& form);
    ~FormWindow() override;

    // The form, while it lives and this window renders it; null otherwise.
    tk::Form* form() const;
    // The widget of a control (built on demand); null for a control of another form.
    QWidget* widgetFor(tk::Control& control);
    // Builds the widgets of controls added since the last call.
    void buildControls();
    // Lets go of the model: no widget reads it or feeds it any more.
    void detach();
    // Gives the window the activation and Qt's focus to the model's active control.
    void focusActiveControl();

    void formShown(tk::Form&) override;
    void formHidden(tk::Form&) override;
    void formFreed(tk::Form&) override;
    void activeControlChanged(tk::Form&) override;
    void formGeometryChanged(tk::Form&) override;
    void controlChanged(tk::Control& control, tk::Property what) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QWidget* buildControl(tk::Control& control);
    void connectSignals(tk::Control& control, QWidget* widget);
    void watch(QWidget* widget);
    void showWindowProperties();
    void raiseWithOpenLists();
    void raiseOpenLists();
    tk::Control* controlOf(QObject* object) const;
    tk::Control* listOwnerOf(QObject* object) const;
    QWidget* widgetOf(const tk::Control& control) const;

    // Input routing (FormInput.cpp).
    void focusArrived(tk::Control& control, QWidget* widget);
    bool keyPressed(tk::Control* control, QWidget* widget, QKeyEvent* event);
    bool keyReleased(QKeyEvent* event);
    bool openListKey(tk::Control& list, QKeyEvent* event);
    bool inputMethod(tk::Control& control, QWidget* widget, QInputMethodEvent* event);
    bool mousePressed(tk::Control& control, QObject* watched, QMouseEvent* event);
    bool mouseReleased(tk::Control& control, QObject* watched, QMouseEvent* event);
    bool mouseDoubleClicked(tk::Control& control, QObject* watched, QMouseEvent* event);
    bool opensDuringPress(const tk::Control& control, tk::Property what) const;
    void dropDownAfterClick();
    QString filterTyped(const QString& text);
    void typeIntoModel(tk::Control* receiver, const QString& text);
    void reportText(tk::Control& control, QWidget* widget);
    void editedByUser(tk::Edit& edit, const QString& text, int caret);
    void selectedByUser(tk::Edit& edit, QWidget* widget);

    tk::Form* form_;
    std::map<const tk::Control*, QWidget*> widgets_;
    std::map<const QObject*, tk::Control*> controls_;  // control widgets only, not their parts
    tk::Control* pressed_ = nullptr;  // the control a left press went to, until its release
    tk::Control* dropAfterClick_ = nullptr;  // a list the model opened during that press
    bool syncingPosition_ = false;
};

}  // namespace tkqt
