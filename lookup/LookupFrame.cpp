#include "lookup/LookupFrame.h"

#include "db/Query.h"
#include "platform/Screen.h"
#include "toolkit/Services.h"
#include "voucher/Util_Unit.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace lookup {

namespace {

QJsonObject readJsonObject(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot read the form description %1").arg(path).toStdString());
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw std::runtime_error(
            QStringLiteral("Form description %1: %2").arg(path, error.errorString()).toStdString());
    return doc.object();
}

QJsonObject merged(QJsonObject base, const QJsonObject& overlay);

// Controls of the overlay change the frame's control of the same name, or are added.
QJsonArray mergedControls(QJsonArray base, const QJsonArray& overlay) {
    for (const QJsonValue& value : overlay) {
        const QJsonObject control = value.toObject();
        const QString name = control.value(QStringLiteral("name")).toString();
        bool found = false;
        for (int i = 0; i < base.size() && !found; ++i) {
            const QJsonObject existing = base.at(i).toObject();
            if (existing.value(QStringLiteral("name")).toString() == name) {
                base.replace(i, merged(existing, control));
                found = true;
            }
        }
        if (!found)
            base.append(control);
    }
    return base;
}

QJsonObject merged(QJsonObject base, const QJsonObject& overlay) {
    for (auto it = overlay.begin(); it != overlay.end(); ++it) {
        const QJsonValue mine = base.value(it.key());
        if (it.key() == QLatin1String("controls") && mine.isArray() && it.value().isArray())
            base.insert(it.key(), mergedControls(mine.toArray(), it.value().toArray()));
        else if (mine.isObject() && it.value().isObject())
            base.insert(it.key(), merged(mine.toObject(), it.value().toObject()));
        else
            base.insert(it.key(), it.value());
    }
    return base;
}

}  // namespace

QString altF4Refusal() { return QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다"); }

QString searchPattern(const QString& text) {
    return QStringLiteral("%") + Str_DelSpace(text) + QStringLiteral("%");
}

tk::FormDescription lookupDescription(const QString& descriptionPath) {
    QJsonObject dialog = readJsonObject(descriptionPath);
    const QString frameName = dialog.take(QStringLiteral("frame")).toString();
    if (frameName.isEmpty())
        return tk::FormDescription::fromJson(QJsonDocument(dialog).toJson());
    const int slash = descriptionPath.lastIndexOf(QLatin1Char('/'));
    const QString framePath = descriptionPath.left(slash + 1) + frameName;
    return tk::FormDescription::fromJson(QJsonDocument(merged(readJsonObject(framePath), dialog)).toJson());
}

LookupDialog::LookupDialog(const QString& formName, const QString& descriptionPath, QString codeColumn,
                           QString nameColumn, const Handlers& extra)
    : tk::Form(formName),
      description_(lookupDescription(descriptionPath)),
      codeColumn_(std::move(codeColumn)),
      nameColumn_(std::move(nameColumn)) {
    Handlers handlers = frameHandlers();
    handlers.notify.insert(extra.notify.begin(), extra.notify.end());
    handlers.key.insert(extra.key.begin(), extra.key.end());
    handlers.keyPress.insert(extra.keyPress.begin(), extra.keyPress.end());
    description_.apply(*this, handlers);
    onCreate = [this](tk::Form& f) { FormCreate(f); };
    onKeyDown = [this](tk::Form& f, int& key, tk::ShiftState shift) { FormKeyDown(f, key, shift); };
}

tk::Form::Handlers LookupDialog::frameHandlers() {
    Handlers h;
    h.notify[QStringLiteral("CloseBtnClick")] = [this](tk::Control& s) { CloseBtnClick(s); };
    h.notify[QStringLiteral("edSearchExit")] = [this](tk::Control& s) { edSearchExit(s); };
    h.notify[QStringLiteral("SearchBtnClick")] = [this](tk::Control& s) { SearchBtnClick(s); };
    h.notify[QStringLiteral("DBGrid1CellClick")] = [this](tk::Control& s) { DBGrid1CellClick(s); };
    h.notify[QStringLiteral("DBGrid1DblClick")] = [this](tk::Control& s) { DBGrid1DblClick(s); };
    h.key[QStringLiteral("DBGrid1KeyDown")] = [this](tk::Control& s, int& k, tk::ShiftState sh) {
        DBGrid1KeyDown(s, k, sh);
    };
    h.key[QStringLiteral("DBGrid1KeyUp")] = [this](tk::Control& s, int& k, tk::ShiftState sh) {
        DBGrid1KeyUp(s, k, sh);
    };
    h.keyPress[QStringLiteral("edSearchKeyPress")] = [this](tk::Control& s, QChar& k) { edSearchKeyPress(s, k); };
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

QString LookupDialog::currentCode() const {
    const db::Query& q = query(QStringLiteral("Query1"));
    return q.active() && q.recordCount() > 0 ? q.fieldText(codeColumn_) : QString();
}

QString LookupDialog::currentName() const {
    const db::Query& q = query(QStringLiteral("Query1"));
    return q.active() && q.recordCount() > 0 ? q.fieldText(nameColumn_) : QString();
}

void LookupDialog::writeRowInto(const QString& editName) {
    tk::Edit& target = targetForm().edit(editName);
    target.setHint(currentCode());
    target.setText(currentName());
}

void LookupDialog::takeCurrentRow() {
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
