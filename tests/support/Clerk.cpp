#include "tests/support/Clerk.h"

#include "toolkit/Application.h"

namespace tk {

namespace {

// The virtual key a character's key goes down with on a Korean/US keyboard.
int keyOf(QChar ch) {
    const char16_t u = ch.unicode();
    if (u >= 'a' && u <= 'z') return u - 'a' + 'A';
    if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) return u;
    if (u == '-') return 0xBD;
    if (u == '.') return 0xBE;
    if (u == ' ') return vk::Space;
    return 0;
}

// A character nobody dropped reaches the edit that received it.
void apply(Control* receiver, QChar ch) {
    if (!receiver || ch.isNull()) return;
    if (auto* e = dynamic_cast<Edit*>(receiver)) e->typeChar(ch);
    if (auto* cb = dynamic_cast<ComboBox*>(receiver)) cb->typeChar(ch);
}

}  // namespace

void Clerk::switchTo(Form& form) {
    form_ = &form;
    form.userActivate();
}

void Clerk::focus(const QString& control) { form_->userFocus(form_->control(control)); }

void Clerk::click(const QString& control) { form_->userClick(form_->control(control)); }

void Clerk::dblClick(const QString& control) {
    Control& c = form_->control(control);
    form_->userClick(c);
    form_->userDblClick(c);
}

void Clerk::clickCell(const QString& grid, int row) { form_->userCellClick(form_->grid(grid), row); }

void Clerk::type(const QString& text) {
    for (QChar ch : text) {
        if (ch == QLatin1Char('\t')) {
            tab();
            continue;
        }
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            enter();
            continue;
        }
        const int key = keyOf(ch);
        // A key swallowed on its way down produces no character.
        if (form_->userKeyDown(key, ssNone) != 0 || key == 0) {
            Control* receiver = form_->activeControl();
            apply(receiver, form_->userKeyPress(ch));
        }
        form_->userKeyUp(key, ssNone);
    }
}

void Clerk::selectAllAndType(const QString& text) {
    Control* c = form_->activeControl();
    if (auto* e = dynamic_cast<Edit*>(c)) e->selectAll();
    if (auto* cb = dynamic_cast<ComboBox*>(c)) cb->setTextSelected(true);
    type(text);
}

void Clerk::press(int key, ShiftState shift) {
    const int left = form_->userKeyDown(key, shift);
    if (left != 0 && shift == ssNone && (key == vk::Return || key == vk::Back)) {
        Control* receiver = form_->activeControl();
        apply(receiver, form_->userKeyPress(QChar(key == vk::Return ? '\r' : '\b')));
    }
    form_->userKeyUp(key, shift);
}

void Clerk::alt(QChar letter) {
    const int key = keyOf(letter);
    form_->userKeyDown(key, ssAlt);
    form_->userKeyUp(key, ssAlt);
}

void Clerk::pick(const QString& combo, int index) {
    ComboBox& cb = form_->comboBox(combo);
    form_->userFocus(cb);
    if (form_->activeControl() != &cb) return;  // an exit handler kept the focus elsewhere
    cb.setDroppedDown(true);
    cb.selectFromUser(index);
    cb.setDroppedDown(false);
}

}  // namespace tk
