#include "lookup/LookupFrame.h"

#include "db/Query.h"
#include "platform/Screen.h"
#include "toolkit/Services.h"
#include "voucher/text/Util_Unit.h"

#include <stdexcept>

namespace lookup {

namespace {

}  // namespace

QString altF4Refusal() { return QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다"); }

QString searchPattern(const QString& text) {
    return QStringLiteral("%") + Str_DelSpace(text) + QStringLiteral("%");
}

LookupDialog::LookupDialog(const QString& formName, const QString& descriptionPath, QString codeColumn,
                           QString nameColumn, const Handlers& extra)
    : tk::Form(formName),
      description_(tk::FormDescription::fromFile(descriptionPath)),
      codeColumn_(std::move(codeColumn)),
      nameColumn_(std::move(nameColumn)) {
    Handlers handlers = frameHandlers();
    handlers.add(extra);
    description_.apply(*this, handlers);
    onCreate = [this](tk::Form& f) { FormCreate(f); };
    onKeyDown = [this](tk::Form& f, int& key, tk::ShiftState shift) { FormKeyDown(f, key, shift); };
}

tk::Form::Handlers LookupDialog::frameHandlers() {
    Handlers h;
    h.bind(QStringLiteral("CloseBtnClick"), this, &LookupDialog::CloseBtnClick);
    h.bind(QStringLiteral("edSearchExit"), this, &LookupDialog::edSearchExit);
    h.bind(QStringLiteral("edSearchKeyPress"), this, &LookupDialog::edSearchKeyPress);
    h.bind(QStringLiteral("SearchBtnClick"), this, &LookupDialog::SearchBtnClick);
    h.bind(QStringLiteral("DBGrid1CellClick"), this, &LookupDialog::DBGrid1CellClick);
    h.bind(QStringLiteral("DBGrid1DblClick"), this, &LookupDialog::DBGrid1DblClick);
    h.bind(QStringLiteral("DBGrid1KeyDown"), this, &LookupDialog::DBGrid1KeyDown);
    h.bind(QStringLiteral("DBGrid1KeyUp"), this, &LookupDialog::DBGrid1KeyUp);
    return h;
}

int LookupDialog::lineKey() const {
    const QString key = edit(QStringLiteral("edSearch")).hint();
    bool ok = false;
    const int value = key.toInt(&ok);
    if (!ok)
        throw std::invalid_argument(QStringLiteral("'%1' is not a valid integer value").arg(key).toStdString());
    return value;
}

tk::Form& LookupDialog::targetForm() const {
    if (target_ == nullptr)
        throw std::logic_error(QStringLiteral("%1 has no voucher form to write into").arg(name()).toStdString());
    return *target_;
}

void LookupDialog::prepare(const QString& lineKey, const QString& searchText) {
    edit(QStringLiteral("edAc_code2")).setText(QString());
    edit(QStringLiteral("edAc_Name2")).setText(QString());
    resetFilter();
    tk::Edit& searchField = edit(QStringLiteral("edSearch"));
    searchField.setHint(lineKey);
    searchField.setText(searchText);
}

void LookupDialog::searchAndShow() {
    search();
    show();
}

void LookupDialog::searchQuery1(const QString& parameter) {
    db::Query& q = query(QStringLiteral("Query1"));
    q.close();
    q.setParamText(parameter, searchPattern(edit(QStringLiteral("edSearch")).text()));
    q.open();
}

bool LookupDialog::hasRows() const {
    const db::Query& q = query(QStringLiteral("Query1"));
    return q.active() && q.recordCount() > 0;
}

QString LookupDialog::currentCode() const {
    return hasRows() ? query(QStringLiteral("Query1")).fieldText(codeColumn_) : QString();
}

QString LookupDialog::currentName() const {
    return hasRows() ? query(QStringLiteral("Query1")).fieldText(nameColumn_) : QString();
}

void LookupDialog::writeRowInto(const QString& editName) {
    tk::Edit& target = targetForm().edit(editName);
    target.setHint(currentCode());
    target.setText(currentName());
}

// A search that found nothing offers no row: the voucher field keeps what the clerk typed.
void LookupDialog::takeCurrentRow() {
    if (!hasRows())
        return;
    edit(QStringLiteral("edAc_code2")).setText(currentCode());
    edit(QStringLiteral("edAc_Name2")).setText(currentName());
    writeBack();
}

// Centred once; a dialog dragged away later reopens where it was left.
void LookupDialog::FormCreate(tk::Form&) {
    const platform::Position p = platform::centeredPosition(width(), height());
    setPosition(p.left, p.top);
    setKeyPreview(true);
}

// The dialogs close only through "&X 종료" or a double click on a row.
void LookupDialog::FormKeyDown(tk::Form&, int& key, tk::ShiftState shift) {
    if (key == tk::vk::F4 && (shift & tk::ssAlt) != 0) {
        key = 0;
        tk::showMessage(altF4Refusal());
    }
}

void LookupDialog::CloseBtnClick(tk::Control&) { close(); }

void LookupDialog::edSearchKeyPress(tk::Control& sender, QChar& key) { moveOnWithEnter(sender, key); }

void LookupDialog::moveOnWithEnter(tk::Control& sender, QChar& key) {
    if (key != QChar(13))
        return;
    if (tk::Control* next = findNextControl(&sender, true))
        setFocus(*next);
    key = QChar();
}

void LookupDialog::edSearchExit(tk::Control&) { search(); }

void LookupDialog::SearchBtnClick(tk::Control&) { search(); }

void LookupDialog::DBGrid1CellClick(tk::Control&) { takeCurrentRow(); }

void LookupDialog::DBGrid1KeyDown(tk::Control&, int&, tk::ShiftState) { takeCurrentRow(); }

void LookupDialog::DBGrid1KeyUp(tk::Control&, int&, tk::ShiftState) { takeCurrentRow(); }

void LookupDialog::DBGrid1DblClick(tk::Control&) {
    takeCurrentRow();
    if (closesOnDoubleClick())
        close();
}

}  // namespace lookup
