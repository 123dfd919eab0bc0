#include "voucher/Qel_Unit3.h"

#include "db/Query.h"
#include "lookup/LookupFrame.h"
#include "platform/ProgramName.h"
#include "platform/Screen.h"
#include "toolkit/Application.h"
#include "toolkit/Services.h"
#include "voucher/QrQel_Unit3.h"
#include "voucher/text/Util_Unit.h"

#include <QDate>
#include <algorithm>
#include <iterator>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <utility>

TfmBrenvik* fmBrenvik = nullptr;

QString AppExeName;
bool AppAlreadyRunning = false;
platform::MutexHandle hAppMutex;
platform::WindowHandle hPrevAppWindow = 0;

void InitSingleInstanceMutex() {
    AppExeName = platform::exeBaseName(platform::programFilePath());
    hAppMutex = platform::createNamedMutex(AppExeName);
    if (!hAppMutex.isNull()) AppAlreadyRunning = hAppMutex.alreadyExisted();
}

void DoneSingleInstanceMutex() {
    platform::closeHandle(hAppMutex);
    AppExeName.clear();
}

const QString TfmBrenvik::ModeIdle = QStringLiteral("1");
const QString TfmBrenvik::ModeLineSelected = QStringLiteral("2");
const QString TfmBrenvik::ModeNewVoucher = QStringLiteral("3");

namespace {

const QString kDescription = QStringLiteral(":/forms/Qel_Unit3.json");
const QString kNoData = QStringLiteral("현재 데이타가 없읍니다....");
const QString kBadKey = QStringLiteral("잘못 입력하셨습니다");
const QString kBadDate = QStringLiteral(" : 유효하지 않은 날짜 형식입니다.");
const QString kChooseOffice = QStringLiteral("본지점 구분을 선택하세요.");
const QString kChooseDate = QStringLiteral("기준일자를 선택하세요.");
const QString kFirstInsert = QStringLiteral("처음 등록 부분을 하세요....");
const QString kChooseLineToCorrect = QStringLiteral("그리드에서 수정할 레코드를 선택 하세요.....");
const QString kChooseGridRow = QStringLiteral("그리드의 레코드를 선택하세요....");
const QString kLineNotStored = QStringLiteral("수정할 라인이 저장되어 있지 않습니다. 그리드를 다시 조회하세요....");
const QString kNotSaved = QStringLiteral("저장하지 못했습니다. 입력한 내용은 그대로 있습니다....");
const QString kNotCorrected = QStringLiteral("수정하지 못했습니다. 저장된 라인은 바뀌지 않았습니다....");
const QString kNotDeleted = QStringLiteral("삭제하지 못했습니다. 저장된 라인은 그대로 있습니다....");
const QString kOutcomeUnknown =
    QStringLiteral("서버가 저장을 끝냈는지 알리기 전에 연결이 끊어졌습니다. 다시 하기 전에 목록을 다시 조회하여 확인하세요....");
const QString kBusy = QStringLiteral("다른 사용자가 저장하고 있어 기다렸으나 끝나지 않았습니다. 잠시 후 다시 하세요....");
const QString kNoAmount = QStringLiteral("저장할 금액이 없습니다. 차변 금액을 입력 하세요....");
const QString kLineNotFound = QStringLiteral("삭제할 라인을 찾지 못했습니다. 삭제한 것은 없습니다. ");

using fields::Field;
using fields::Side;

// The amount fields show a number right-aligned by the amount display.
QString amountDisplay(double value) {
    return Str_StrToDouble(Str_FloatToStr(value), Str_FormatFloat(QStringLiteral("#,##0"), value));
}

bool isDigitKey(QChar key) { return key >= QLatin1Char('0') && key <= QLatin1Char('9'); }

// The date field's text read back with the base-date format (year-month-day joined by "-"),
// as leniently as the system's date conversion: one- or two-digit month and day, a year of
// two digits taken in this century, or month and day alone in the current year.
bool convertsToDate(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('-'));
    if (parts.size() != 2 && parts.size() != 3) return false;
    int numbers[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        const QString& p = parts[i];
        if (p.isEmpty() || p.size() > 4) return false;
        for (QChar c : p) {
            if (!isDigitKey(c)) return false;
        }
        numbers[i] = p.toInt();
    }
    const QDate today = QDate::currentDate();
    int year = today.year(), month = numbers[0], day = numbers[1];
    if (parts.size() == 3) {
        year = numbers[0];
        month = numbers[1];
        day = numbers[2];
        if (parts[0].size() <= 2) year += today.year() / 100 * 100;
    }
    return QDate(year, month, day).isValid();
}

// What leaving the date field accepts: a date of exactly ten characters.
bool isBaseDate(const QString& text) { return convertsToDate(text) && text.size() == 10; }

// Backspace, Enter and Ctrl+Y pass every key filter of the form.
bool isEditingKey(QChar key) { return key.unicode() == 8 || key.unicode() == 13 || key.unicode() == 25; }

// Serial_CrDr of a row of that side.
const QString& storedSide(Side side) { return side == Side::Debit ? VoucherStore::DebitSide : VoucherStore::CreditSide; }

}  // namespace

// --- construction --------------------------------------------------------------------------

TfmBrenvik::TfmBrenvik() : tk::Form(QStringLiteral("fmBrenvik")) { load(kDescription, handlers()); }

TfmBrenvik::TfmBrenvik(const QString& formName, Deferred) : tk::Form(formName) {}

TfmBrenvik::~TfmBrenvik() = default;

void TfmBrenvik::load(const QString& descriptionPath, const Handlers& h) {
    description_.emplace(tk::FormDescription::fromFile(descriptionPath));
    description_->apply(*this, h);
    onCreate = [this](tk::Form& sender) { FormCreate(sender); };
    onClose = [this](tk::Form& sender, tk::CloseAction& action) { FormClose(sender, action); };
}

tk::Form::Handlers TfmBrenvik::handlers() {
    Handlers h;
    h.bind(QStringLiteral("InsertBtnClick"), this, &TfmBrenvik::InsertBtnClick);
    h.bind(QStringLiteral("CancelBtnClick"), this, &TfmBrenvik::CancelBtnClick);
    h.bind(QStringLiteral("CloseBtnClick"), this, &TfmBrenvik::CloseBtnClick);
    h.bind(QStringLiteral("SaveBtnClick"), this, &TfmBrenvik::SaveBtnClick);
    h.bind(QStringLiteral("DeleteBtnClick"), this, &TfmBrenvik::DeleteBtnClick);
    h.bind(QStringLiteral("PrintBtnClick"), this, &TfmBrenvik::PrintBtnClick);
    h.bind(QStringLiteral("edDateExit"), this, &TfmBrenvik::edDateExit);
    h.bind(QStringLiteral("edDateKeyPress"), this, &TfmBrenvik::edDateKeyPress);
    h.bind(QStringLiteral("cbKubunEnter"), this, &TfmBrenvik::cbKubunEnter);
    h.bind(QStringLiteral("cbKubunChange"), this, &TfmBrenvik::cbKubunChange);
    h.bind(QStringLiteral("cbKubunExit"), this, &TfmBrenvik::cbKubunExit);
    h.bind(QStringLiteral("cbKubunKeyPress"), this, &TfmBrenvik::cbKubunKeyPress);
    h.bind(QStringLiteral("edCR_Cr_Amt_01KeyPress"), this, &TfmBrenvik::edCR_Cr_Amt_01KeyPress);
    h.bind(QStringLiteral("DBGrid1CellClick"), this, &TfmBrenvik::DBGrid1CellClick);
    h.bind(QStringLiteral("DBGrid1KeyDown"), this, &TfmBrenvik::DBGrid1KeyDown);
    h.bind(QStringLiteral("DBGrid1KeyUp"), this, &TfmBrenvik::DBGrid1KeyUp);
    bindLineFieldHandlers(h);
    return h;
}

// The 68 handlers of the line fields, named after their field ("edCR_Kubun_Name_01Exit").
void TfmBrenvik::bindLineFieldHandlers(Handlers& h) {
    const auto bind = [&h](Side side, Field field, int line, const char* event, std::function<void()> run) {
        h.bind(fields::name(side, field, line) + QLatin1String(event), [run](tk::Control&) { run(); });
    };
    const auto nothing = [] {};
    for (int line = 1; line <= fields::LineCount; ++line) {
        bind(Side::Debit, Field::Account, line, "Exit", [this, line] { accountExit(Side::Debit, line); });
        bind(Side::Credit, Field::Account, line, "Exit", [this, line] { accountExit(Side::Credit, line); });
        for (Field kind : fields::AnalysisKinds) {
            bind(Side::Debit, kind, line, "Exit", [this, kind, line] { lookupExit(Side::Debit, kind, line); });
            if (kind != Field::Item)
                bind(Side::Credit, kind, line, "Exit", [this, kind, line] { creditLookupExit(kind, line); });
        }
        if (line < fields::LineCount)
            bind(Side::Credit, Field::Item, line, "Exit", [this, line] { creditItemExit(line); });
        else
            bind(Side::Credit, Field::Item, line, "Exit", [this] { lastCreditItemExit(); });
        bind(Side::Debit, Field::Summary, line, "Exit", [this, line] { debitSummaryExit(line); });
        bind(Side::Credit, Field::Summary, line, "Exit", nothing);
        bind(Side::Debit, Field::DebitColumn, line, "Exit", [this, line] { debitAmountExit(line); });
        bind(Side::Debit, Field::DebitColumn, line, "Click", [this, line] { debitAmountClick(line); });
        bind(Side::Debit, Field::CreditColumn, line, "Exit", nothing);
    }
}

QString TfmBrenvik::formKubun() const { return QStringLiteral("A003"); }

// --- mode and buttons ----------------------------------------------------------------------

QString TfmBrenvik::formMode() const { return modePanel().hint(); }

void TfmBrenvik::setFormMode(const QString& mode) { modePanel().setHint(mode); }

QString TfmBrenvik::officeCode() const { return Str_FormatFloat(QStringLiteral("00000"), officeList().itemIndex()); }

void TfmBrenvik::pEnabledBtn() {
    struct Row {
        bool insert, cancel, save, del, print, close;
    };
    static const Row table[] = {
        {true, false, false, false, false, true},  // "1"
        {false, true, true, true, true, true},     // "2"
        {false, true, true, false, false, true},   // "3"
    };
    bool ok = false;
    const int mode = formMode().toInt(&ok);
    if (!ok || mode < 1 || mode > 3) return;
    const Row& r = table[mode - 1];
    insertButton().setEnabled(r.insert);
    button(QStringLiteral("CancelBtn")).setEnabled(r.cancel);
    saveButton().setEnabled(r.save);
    deleteButton().setEnabled(r.del);
    printButton().setEnabled(r.print);
    closeButton().setEnabled(r.close);
}

// --- the four lines ------------------------------------------------------------------------

void TfmBrenvik::pClear() {
    serialEdit().setText(QString());
    for (int line = 1; line <= fields::LineCount; ++line) {
        for (Side side : {Side::Debit, Side::Credit}) {
            clearRow(side, line);
            lineEdit(side, Field::SideCode, line).setText(storedSide(side));
        }
    }
}

// Names and codes, summary and amount texts of one row emptied; the amounts' Hints stay.
void TfmBrenvik::clearRow(Side side, int line) {
    static const Field coded[] = {Field::Account, Field::Customer, Field::Employee,
                                  Field::Department, Field::Project, Field::Item};
    for (Field field : coded) {
        tk::Edit& e = lineEdit(side, field, line);
        e.setText(QString());
        e.setHint(QString());
    }
    for (Field field : {Field::Summary, Field::DebitColumn, Field::CreditColumn}) lineEdit(side, field, line).setText(QString());
}

void TfmBrenvik::resetLinePanels() {
    for (int line = 1; line <= fields::LineCount; ++line) {
        tk::Panel& p = linePanel(line);
        p.setVisible(true);
        p.setEnabled(true);
        p.setColor(tk::clBtnFace);
    }
}

// --- buttons -------------------------------------------------------------------------------

void TfmBrenvik::InsertBtnClick(tk::Control&) { setFocus(lineEdit(Side::Debit, Field::Account, 1)); }

void TfmBrenvik::CancelBtnClick(tk::Control&) {
    pClear();
    resetLinePanels();
    setFormMode(ModeIdle);
    pEnabledBtn();
}

void TfmBrenvik::CloseBtnClick(tk::Control&) { close(); }

// --- the grid of stored lines --------------------------------------------------------------

void TfmBrenvik::pQuery() {
    if (!startFinished_) finishStart();
    tk::HourglassCursor hourglass;
    db::Query& q = description_->loadStatement(gridQuery(), QStringLiteral("StoredLines"));
    q.setParamText(QStringLiteral("tbDKubun"), QStringLiteral("%") + dateEdit().text() + officeCode() + QStringLiteral("%"));
    q.open();
}

void TfmBrenvik::pDeleteCount_Query() {
    tk::HourglassCursor hourglass;
    db::Query& q = description_->loadStatement(gridQuery(), QStringLiteral("StoredLinesOfVoucher"));
    q.setParamText(QStringLiteral("tbDKubun"), QStringLiteral("%") + dateEdit().text() + officeCode() + QStringLiteral("%"));
    q.setParamText(QStringLiteral("tbqel"), QStringLiteral("%") + storedLines().hint() + QStringLiteral("%"));
    q.open();
}

// --- creation and closing ------------------------------------------------------------------

// What needs no database comes first, so a start without it still shows today's date.
void TfmBrenvik::FormCreate(tk::Form&) {
    if (AppAlreadyRunning) handOverToRunningInstance();
    centreOnScreen();
    dateEdit().setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    storedLines().setHint(QString());
    pClear();
    finishStart();
    pQuery();
    setFormMode(ModeIdle);
    pEnabledBtn();
}

// The office list, its first office selected. A start that could not read it is finished by
// the first grid reload or the first entry into the list, so the clerk goes on once the
// database answers; the base date is left as the clerk has it.
void TfmBrenvik::finishStart() {
    fillOfficeList();
    officeList().setItemIndex(officeList().items().isEmpty() ? -1 : 0);
    startFinished_ = true;
}

// A second start: rename our own application window, which the first search finds, then
// bring the running instance forward and end without a message. Returns when no running
// instance answers: start-up then goes on as a first instance.
void TfmBrenvik::handOverToRunningInstance() {
    hPrevAppWindow = platform::findWindow(AppExeName);
    platform::setWindowText(hPrevAppWindow, QStringLiteral("Varo-Quint"));
    hPrevAppWindow = platform::findWindow(AppExeName);
    if (hPrevAppWindow == 0) return;
    if (platform::isIconic(hPrevAppWindow)) {
        platform::showWindow(hPrevAppWindow, platform::SW_RESTORE);
    } else {
        platform::setForegroundWindow(hPrevAppWindow);
    }
    std::exit(0);
}

// Centred in a box of the work area's or the screen's size at the screen's corner.
void TfmBrenvik::centreOnScreen() {
    const platform::Position p = platform::centeredPosition(width(), height());
    setPosition(p.left, p.top);
}

void TfmBrenvik::fillOfficeList() {
    db::Query& q = description_->loadStatement(listQuery(), QStringLiteral("OfficeList"));
    q.open();
    q.first();
    tk::ComboBox& offices = officeList();
    offices.clearItems();
    for (; !q.eof(); q.next()) offices.addItem(q.fieldText(QStringLiteral("Total")));
}

void TfmBrenvik::FormClose(tk::Form&, tk::CloseAction& action) {
    if (fmBrenvik == this) fmBrenvik = nullptr;
    action = tk::CloseAction::Free;
}

// --- base date and office ------------------------------------------------------------------

void TfmBrenvik::edDateExit(tk::Control&) {
    if (receiverIs(storedLines())) {
        setFormMode(ModeNewVoucher);
        return;
    }
    tk::Edit& date = dateEdit();
    const QString text = date.text();
    if (!convertsToDate(text)) {
        tk::showWarning(text + kBadDate);
        setFocus(date);
    }
    if (text.size() != 10) {
        tk::showWarning(text + kBadDate);
        setFocus(date);
    }
    pQuery();
    setFormMode(ModeIdle);
    pEnabledBtn();
    resetLinePanels();
    pClear();
}

void TfmBrenvik::edDateKeyPress(tk::Control&, QChar& key) {
    if (isEditingKey(key) || key == QLatin1Char('-') || isDigitKey(key)) {
        enterMovesOn(key);
        return;
    }
    key = QChar();
    tk::showMessage(kBadKey);
}

void TfmBrenvik::edCR_Cr_Amt_01KeyPress(tk::Control&, QChar& key) {
    if (isEditingKey(key) || key == QLatin1Char('-') || key == QLatin1Char('.') || isDigitKey(key)) {
        enterMovesOn(key);
        return;
    }
    key = QChar();
    tk::showMessage(kBadKey);
}

void TfmBrenvik::cbKubunKeyPress(tk::Control&, QChar& key) { enterMovesOn(key); }

void TfmBrenvik::enterMovesOn(QChar& key) {
    if (key.unicode() != 13) return;
    selectNext();
    key = QChar();
}

void TfmBrenvik::cbKubunEnter(tk::Control&) {
    if (!startFinished_) finishStart();
    officeList().setDroppedDown(true);
}

void TfmBrenvik::cbKubunChange(tk::Control&) {
    for (int line = 1; line <= fields::LineCount; ++line) {
        linePanel(line).setVisible(true);
        linePanel(line).setEnabled(true);
    }
    pQuery();
    setFormMode(ModeIdle);
    pEnabledBtn();
    for (int line = 1; line <= fields::LineCount; ++line) linePanel(line).setColor(tk::clBtnFace);
    pClear();
}

void TfmBrenvik::cbKubunExit(tk::Control& sender) {
    officeList().setDroppedDown(false);
    if (receiverIs(storedLines())) {
        setFormMode(ModeNewVoucher);
        return;
    }
    cbKubunChange(sender);
}

// --- choosing a stored line ----------------------------------------------------------------

void TfmBrenvik::DBGrid1CellClick(tk::Control&) { chooseGridRow(); }

void TfmBrenvik::DBGrid1KeyDown(tk::Control&, int&, tk::ShiftState) { chooseGridRow(); }

void TfmBrenvik::DBGrid1KeyUp(tk::Control&, int&, tk::ShiftState) { chooseGridRow(); }

void TfmBrenvik::chooseGridRow() {
    for (int line = 1; line <= fields::LineCount; ++line) linePanel(line).setVisible(false);
    setFormMode(ModeLineSelected);
    pEnabledBtn();
    pDBGridDisplay();
}

void TfmBrenvik::reportNoData() {
    tk::showWarning(kNoData);
    setFocus(modePanel());
}

void TfmBrenvik::pDBGridDisplay() {
    db::Query& stored = gridQuery();
    if (stored.recordCount() == 0) {
        reportNoData();
        return;
    }
    serialEdit().setText(stored.fieldText(QStringLiteral("serial_qel")));
    tk::HourglassCursor hourglass;
    pPanel_DisplayQuery();

    db::Query& lines = description_->loadStatement(listQuery(), QStringLiteral("VoucherLineNumbers"));
    lines.setParamText(QStringLiteral("tbSerial_qel"), Str_RTrim(stored.fieldText(QStringLiteral("serial_qel"))));
    lines.setParamText(QStringLiteral("tbSerial_day"), Str_RTrim(stored.fieldText(QStringLiteral("Date_day"))));
    lines.prepare();
    lines.open();
    for (lines.first(); !lines.eof(); lines.next()) {
        const std::optional<int> n = fields::panelOfStoredLine(lines.fieldText(QStringLiteral("Serial_Bun")));
        if (n) linePanel(*n).setVisible(true);
    }
    // Only the chosen line is open; a chosen line that no panel shows leaves them all closed.
    const std::optional<int> chosen = fields::panelOfStoredLine(stored.fieldText(QStringLiteral("serial_bun")));
    for (int line = 1; line <= fields::LineCount; ++line) {
        tk::Panel& p = linePanel(line);
        p.setColor(chosen == line ? tk::clAqua : tk::clBtnFace);
        p.setEnabled(chosen == line);
    }
}

void TfmBrenvik::pPanel_DisplayQuery() {
    if (gridQuery().recordCount() == 0) {
        reportNoData();
        return;
    }
    db::Query& rows = description_->loadStatement(query(QStringLiteral("Panel_DisplayQuery")), QStringLiteral("VoucherRows"));
    rows.setParamText(QStringLiteral("tbDayBon"), Str_RTrim(dateEdit().text()) + officeCode());
    rows.setParamText(QStringLiteral("tbSerial_qel"), Str_RTrim(serialEdit().text()));
    rows.prepare();
    rows.open();
    // Each stored row fills the row of its own line and side. Older writers left lines without
    // a row of a side (that row shows empty, its side code too), lines with two rows of one
    // side (the later shows nowhere) and lines numbered otherwise (they show nowhere); none
    // fills a row of another line.
    std::set<std::pair<int, Side>> filled;
    std::set<int> shown;
    for (rows.first(); !rows.eof(); rows.next()) {
        const std::optional<int> line = fields::panelOfStoredLine(rows.fieldText(QStringLiteral("Serial_Bun")));
        if (!line) continue;
        const int n = *line;
        shown.insert(n);
        const QString side = rows.fieldText(QStringLiteral("Serial_CrDr"));
        for (Side s : {Side::Debit, Side::Credit}) {
            if (side != storedSide(s) || !filled.insert({n, s}).second) continue;
            fillRowFromQuery(rows, n, s);
        }
    }
    for (int n : shown) {
        for (Side s : {Side::Debit, Side::Credit}) {
            if (filled.count({n, s}) != 0) continue;
            clearRow(s, n);
            for (Field amount : {Field::DebitColumn, Field::CreditColumn}) lineEdit(s, amount, n).setHint(QString());
            lineEdit(s, Field::SideCode, n).setText(QString());
        }
    }
}

void TfmBrenvik::fillRowFromQuery(db::Query& rows, int line, Side side) {
    const auto field = [&rows](const char* name) { return rows.fieldText(QLatin1String(name)); };
    const auto coded = [&](Field editField, const char* nameColumn, const char* codeColumn) {
        tk::Edit& e = lineEdit(side, editField, line);
        e.setText(field(nameColumn));
        e.setHint(field(codeColumn));
    };
    lineEdit(side, Field::SideCode, line).setText(field("Serial_CrDr"));
    coded(Field::Account, "Ac_QelName", "Ac_QelCode");
    coded(Field::Customer, "Kubun_Name", "Kubun_Code");
    coded(Field::Employee, "Sawon_Name", "Sawon_Code");
    coded(Field::Department, "Buser_Name", "Buser_Code");
    coded(Field::Project, "Project_Name", "Project_Code");
    lineEdit(side, Field::Summary, line).setText(field("Ac_Text"));
    coded(Field::Item, "Item_Name", "Item_Code");
    showAmount(lineEdit(side, Field::DebitColumn, line), rows.fieldDouble(QStringLiteral("Cr_Amt")));
    showAmount(lineEdit(side, Field::CreditColumn, line), rows.fieldDouble(QStringLiteral("Dr_Amt")));
}

// The plain whole number goes into the Hint; the text shows the amount display of it.
void TfmBrenvik::showAmount(tk::Edit& amountEdit, double amount) {
    amountEdit.setHint(Str_FormatFloat(QStringLiteral("0"), amount));
    amountEdit.setText(amountDisplay(Str_ToNumber(Str_LTrim(amountEdit.hint()))));
}

// --- line fields ---------------------------------------------------------------------------

lookup::LookupDialog& TfmBrenvik::lookupFor(Side side, Field kind) const {
    lookup::LookupDialog* dialog = nullptr;
    switch (kind) {
    case Field::Account: dialog = side == Side::Debit ? lookups_.debitAccount : lookups_.creditAccount; break;
    case Field::Customer: dialog = lookups_.customer; break;
    case Field::Employee: dialog = lookups_.employee; break;
    case Field::Department: dialog = lookups_.department; break;
    case Field::Project: dialog = lookups_.project; break;
    case Field::Item: dialog = lookups_.item; break;
    default: break;
    }
    if (dialog == nullptr)
        throw std::logic_error(QStringLiteral("%1 has no lookup dialog for %2")
                                   .arg(name(), fields::name(side, kind, 1))
                                   .toStdString());
    return *dialog;
}

// During an exit the active control is already the one receiving the focus.
bool TfmBrenvik::receiverIs(const tk::Control& control) const { return activeControl() == &control; }

bool TfmBrenvik::receiverIsOutsideLines() const {
    const tk::Control* const outside[] = {&dateEdit(),    &officeList(),  &storedLines(), &saveButton(),
                                          &deleteButton(), &printButton(), &closeButton()};
    return std::find(std::begin(outside), std::end(outside), activeControl()) != std::end(outside);
}

// Leaving a lookup field for these controls leaves the field and its dialog alone.
bool TfmBrenvik::receiverIsSkipped() const { return receiverIsOutsideLines() || receiverIs(modePanel()); }

// The second request holds. While Save is disabled (browsing) neither is made: the focus
// goes on where the clerk sent it, so Tab from the last line still reaches the grid.
void TfmBrenvik::focusSaveButton() {
    if (!saveButton().canFocus()) return;
    setFocus(modePanel());
    setFocus(saveButton());
}

// Moving forward from an account to its customer field starts a new voucher, once an
// office and a base date are there.
void TfmBrenvik::accountChecks() {
    tk::ComboBox& offices = officeList();
    if (offices.itemIndex() < 0 || offices.text().isEmpty()) {
        tk::showWarning(kChooseOffice);
        setFocus(offices);
    }
    tk::Edit& date = dateEdit();
    if (date.text().isEmpty() || date.text().size() != 10) {
        tk::showWarning(kChooseDate);
        setFocus(date);
    }
    if (formMode() != ModeLineSelected) setFormMode(ModeNewVoucher);
    pEnabledBtn();
}

void TfmBrenvik::accountExit(Side side, int line) {
    if (receiverIs(lineEdit(side, Field::Customer, line))) accountChecks();
    lookupExit(side, Field::Account, line);
}

// The field's dialog is prepared with the line number as key and the field's code dropped;
// an account is always searched, another kind only when its text is more than blanks.
void TfmBrenvik::lookupExit(Side side, Field kind, int line) {
    if (receiverIsSkipped()) return;
    tk::Edit& field = lineEdit(side, kind, line);
    lookup::LookupDialog& dialog = lookupFor(side, kind);
    dialog.prepare(fields::lineKey(line), field.text());
    field.setHint(QString());
    if (kind == Field::Account || !Str_DelSpace(field.text()).isEmpty()) dialog.searchAndShow();
}

// A credit analysis field keeps the debit row's code when it shows the debit row's text,
// is emptied when it holds only blanks, and opens its dialog for itself alone otherwise.
TfmBrenvik::CreditOutcome TfmBrenvik::creditLookup(Field kind, int line) {
    tk::Edit& field = lineEdit(Side::Credit, kind, line);
    const tk::Edit& debit = lineEdit(Side::Debit, kind, line);
    lookup::LookupDialog& dialog = lookupFor(Side::Credit, kind);
    dialog.prepare(fields::lineKey(line, fields::KeyRows::CreditOnly), field.text());
    field.setHint(QString());
    if (Str_DelSpace(field.text()).isEmpty()) {
        field.setText(QString());
        return CreditOutcome::Emptied;
    }
    if (field.text() == debit.text()) {
        field.setHint(debit.hint());
        return CreditOutcome::TookDebitCode;
    }
    dialog.searchAndShow();
    return CreditOutcome::Searched;
}

void TfmBrenvik::creditLookupExit(Field kind, int line) {
    if (receiverIsSkipped()) return;
    creditLookup(kind, line);
}

void TfmBrenvik::creditItemExit(int line) {
    if (formMode() == ModeLineSelected && receiverIs(storedLines())) {
        focusSaveButton();
        return;
    }
    creditLookupExit(Field::Item, line);
}

// The last field of the form's lines leads to the Save button, unless the clerk went back
// into a line to a field that takes the debit row's item.
void TfmBrenvik::lastCreditItemExit() {
    if (receiverIsOutsideLines()) {
        focusSaveButton();
        return;
    }
    if (receiverIs(modePanel())) return;
    if (creditLookup(Field::Item, fields::LineCount) != CreditOutcome::TookDebitCode) focusSaveButton();
}

void TfmBrenvik::debitAmountExit(int line) {
    tk::Edit& amount = lineEdit(Side::Debit, Field::DebitColumn, line);
    amount.setText(amountDisplay(Str_ToNumber(Str_LTrim(amount.text()))));
    lineEdit(Side::Debit, Field::CreditColumn, line).setText(amountDisplay(0));
    lineEdit(Side::Credit, Field::DebitColumn, line).setText(amountDisplay(0));
    // The credit amount follows the debit amount as it now reads, in whole units.
    lineEdit(Side::Credit, Field::CreditColumn, line).setText(amountDisplay(Str_ToNumber(Str_LTrim(amount.text()))));
}

// Correcting a stored line: the plain number, selected, so typing replaces it.
void TfmBrenvik::debitAmountClick(int line) {
    tk::Edit& amount = lineEdit(Side::Debit, Field::DebitColumn, line);
    if (formMode() != ModeLineSelected || activeControl() != &amount) return;
    amount.setText(Str_FormatFloat(QStringLiteral("0"), Str_ToNumber(Str_DelSpace(amount.text()))));
    amount.selectAll();
}

void TfmBrenvik::debitSummaryExit(int line) {
    lineEdit(Side::Credit, Field::Summary, line).setText(lineEdit(Side::Debit, Field::Summary, line).text());
}

// --- printing ------------------------------------------------------------------------------

namespace {
// A voucher prints on ten rows: its own, then blank rows.
constexpr int kPrintedRows = 10;

}  // namespace

void TfmBrenvik::bindPrintedVoucher(db::Query& q) const {
    q.setParamText(QStringLiteral("tbDateDay"), Str_DelSpace(dateEdit().text()));
    q.setParamText(QStringLiteral("tbKubunBon"), officeCode());
    q.setParamText(QStringLiteral("tbSerialQel"), Str_DelSpace(serialEdit().text()));
}

TfmQrBrenvik& TfmBrenvik::createPrintForm() { return tk::app().createForm<TfmQrBrenvik>(); }

void TfmBrenvik::PrintBtnClick(tk::Control&) {
    if (gridQuery().recordCount() == 0) {
        reportNoData();
        return;
    }
    if (serialEdit().text().isEmpty()) {
        tk::showWarning(kChooseGridRow);
        return;
    }
    db::Query& stored = query(QStringLiteral("Print_Count_Query"));
    stored.close();
    bindPrintedVoucher(stored);
    stored.open();

    db::Query& printed = query(QStringLiteral("Print_Query"));
    printed.close();
    bindPrintedVoucher(printed);
    printed.setParamText(QStringLiteral("tbCount"), Str_FormatFloat(QStringLiteral("00"), kPrintedRows - stored.recordCount()));
    printed.open();
    if (!printed.active() || printed.recordCount() == 0) return;

    fmQrBrenvik = &createPrintForm();
    report::Report& voucher = fmQrBrenvik->QuickRep1;
    voucher.setCaption(QStringLiteral("qlKubun"), QStringLiteral("구    분 :") + officeList().text());
    voucher.setCaption(QStringLiteral("qlQel"), QStringLiteral("전표번호 :") + serialEdit().text());
    voucher.setCaption(QStringLiteral("qlDate"), QStringLiteral("기준일자 : ") + dateEdit().text());
    voucher.preview();
    serialEdit().setText(QString());
}

// --- saving, correcting and deleting ---------------------------------------------------------

namespace {

QString accountMissing(int line) { return QStringLiteral("%1라인에 계정과목을 등록 하세요....").arg(line); }

QString codeMissing(Field kind, int line) {
    QString what;
    switch (kind) {
    case Field::Customer: what = QStringLiteral("거래처및은행명"); break;
    case Field::Employee: what = QStringLiteral("사원이름"); break;
    case Field::Department: what = QStringLiteral("부서이름"); break;
    case Field::Project: what = QStringLiteral("프로젝트이름"); break;
    default: what = QStringLiteral("아이템 명"); break;
    }
    return QStringLiteral("%1라인에 %2의 코드를 등록 하세요....").arg(line).arg(what);
}

// A stored line the panels cannot show whole: numbered above 04, or two rows of one side.
QString lineNotCorrectable(const QString& line) {
    return QStringLiteral("%1라인은 이 화면에서 수정할 수 없는 라인입니다....").arg(line);
}

}  // namespace

// Why a new voucher was not stored after the field the focus left cleared its lines.
QString TfmBrenvik::linesClearedOnLeaving(const tk::Control* left) const {
    QString field;
    if (left == &officeList()) field = QStringLiteral("본지점구분을 벗어나면서 ");
    if (left == &dateEdit()) field = QStringLiteral("기준일자를 벗어나면서 ");
    return field + QStringLiteral("입력한 라인이 지워져 저장하지 않았습니다. 다시 입력 하세요....");
}

namespace {

// The commit is done; only the list of stored lines could not be read again.
QString storedButNotListed(const QString& number) {
    return QStringLiteral("전표번호 %1 로 저장했습니다. 저장된 전표 목록을 보여주지 못했습니다....").arg(number);
}

QString correctedButNotListed(const QString& number, const QString& line) {
    return QStringLiteral("전표번호 %1 의 %2라인을 수정했습니다. 저장된 전표 목록을 보여주지 못했습니다....").arg(number, line);
}

QString deletedButNotListed(const QString& number, const QString& line) {
    return QStringLiteral("전표번호 %1 의 %2라인을 삭제했습니다. 저장된 전표 목록을 보여주지 못했습니다....").arg(number, line);
}

// Reads the stored lines again after a commit; when that fails, says what was stored.
template <class Reload>
bool listedAgain(Reload reload, const QString& stored) {
    try {
        reload();
        return true;
    } catch (const std::exception& e) {
        tk::showError(stored + QLatin1Char('\n') + QString::fromUtf8(e.what()));
        return false;
    }
}

// The grid row of one voucher and line, each compared on its own: joined, the key of voucher
// "...000000010" line "1" reads as that of voucher "...00000001" line "01".
// When no row matches, the grid stays where the reopening put it.
void locateLine(db::Query& lines, const QString& number, const QString& line) {
    const int numbers = lines.fieldIndex(QStringLiteral("serial_qel")), lineTexts = lines.fieldIndex(QStringLiteral("serial_bun"));
    for (int r = 0; r < lines.recordCount(); ++r) {
        if (lines.text(r, numbers).compare(number, Qt::CaseInsensitive) == 0 &&
            lines.text(r, lineTexts).compare(line, Qt::CaseInsensitive) == 0) {
            lines.moveTo(r);
            return;
        }
    }
}

}  // namespace

QString TfmBrenvik::kubunAmt(Side) const { return QStringLiteral("5"); }

std::vector<Side> TfmBrenvik::codeCheckedSides() const { return {Side::Debit, Side::Credit}; }

VoucherStore TfmBrenvik::store() {
    return VoucherStore(query(QStringLiteral("Query_Sql")).database(),
                        [this](const QString& name) { return description_->sqlText(name); });
}

void TfmBrenvik::SaveBtnClick(tk::Control&) {
    tk::HourglassCursor hourglass;
    if (gridQuery().recordCount() == 0 && formMode() != ModeNewVoucher) {
        reportNoData();
        return;
    }
    const bool lineChosen = formMode() == ModeLineSelected && !serialEdit().text().isEmpty();
    if (lineChosen && refuseLineWithoutPanel()) return;
    fillEmptyAmounts();
    if (!accountsChosen() || !codesChosen()) return;
    const QString mode = formMode();
    if (mode == ModeIdle) {
        refuse(lineEdit(Side::Debit, Field::Account, 1), kFirstInsert);
    } else if (mode == ModeNewVoucher) {
        storeNewVoucher();
    } else if (mode == ModeLineSelected) {
        correctSelectedLine();
    }
}

void TfmBrenvik::refuse(tk::Control& field, const QString& message) {
    tk::showWarning(message);
    setFocus(field);
}

// A line numbered otherwise than 01 to 04 has no panel, so nothing the clerk typed belongs to it.
bool TfmBrenvik::refuseLineWithoutPanel() {
    const QString line = selectedLine();
    if (fields::panelOfStoredLine(line)) return false;
    tk::showWarning(lineNotCorrectable(line));
    return true;
}

bool TfmBrenvik::rowTakesPart(Side side, int line) const {
    return formMode() != ModeLineSelected || !lineEdit(side, Field::SideCode, line).text().isEmpty();
}

void TfmBrenvik::fillEmptyAmounts() {
    for (int line = 1; line <= fields::LineCount; ++line) {
        if (!rowTakesPart(Side::Debit, line)) continue;
        if (!lineEdit(Side::Debit, Field::DebitColumn, line).text().isEmpty()) continue;
        for (Side side : {Side::Debit, Side::Credit}) {
            lineEdit(side, Field::DebitColumn, line).setText(QStringLiteral("0"));
            lineEdit(side, Field::CreditColumn, line).setText(QStringLiteral("0"));
        }
    }
}

// A line takes part unless its amount reads "0"; the credit row is tested on it too.
bool TfmBrenvik::accountsChosen() {
    for (Side side : {Side::Debit, Side::Credit}) {
        for (int line = 1; line <= fields::LineCount; ++line) {
            if (!rowTakesPart(side, line)) continue;
            if (Str_LTrim(lineEdit(Side::Debit, Field::DebitColumn, line).text()) == QLatin1String("0")) continue;
            tk::Edit& account = lineEdit(side, Field::Account, line);
            if (account.text().isEmpty() || account.hint().isEmpty()) {
                refuse(account, accountMissing(line));
                return false;
            }
        }
    }
    return true;
}

// A field with text needs its code, on any line; kind before line, debit row before credit.
bool TfmBrenvik::codesChosen() {
    for (Field kind : fields::AnalysisKinds) {
        for (int line = 1; line <= fields::LineCount; ++line) {
            for (Side side : codeCheckedSides()) {
                if (!rowTakesPart(side, line)) continue;
                tk::Edit& field = lineEdit(side, kind, line);
                if (!field.text().isEmpty() && field.hint().isEmpty()) {
                    refuse(field, codeMissing(kind, line));
                    return false;
                }
            }
        }
    }
    return true;
}

void TfmBrenvik::storeNewVoucher() {
    const tk::Control* left = activeControl();
    setFocus(saveButton());
    // Leaving the office list or the date for Save has just cleared the lines and ended the
    // new voucher: nothing is left to store, and the amount is not what is missing.
    if (formMode() != ModeNewVoucher) {
        tk::showWarning(linesClearedOnLeaving(left));
        if (activeControl() == &saveButton()) setFocus(lineEdit(Side::Debit, Field::Account, 1));
        return;
    }
    // Leaving the date field for the grid passes its check by, but a voucher is numbered and
    // stored under its base date. Had the date field the focus, its exit has just said so.
    tk::Edit& date = dateEdit();
    if (!isBaseDate(date.text())) {
        if (activeControl() != &date) refuse(date, date.text() + kBadDate);
        return;
    }
    // Only now have the exits run: an amount the field could not hold reads empty or zero.
    if (nothingToStore()) {
        refuse(lineEdit(Side::Debit, Field::DebitColumn, 1), kNoAmount);
        return;
    }
    tk::Panel& storedKey = linePanel(1);
    storedKey.setHint(QString());
    if (!pSaveQuery()) return;
    const QString number = serialEdit().text();
    setFormMode(ModeIdle);
    pEnabledBtn();
    pClear();
    setFocus(modePanel());
    setFocus(insertButton());
    if (!listedAgain([this] { pQuery(); }, storedButNotListed(number))) return;
    // The key of the last stored line is the number followed by the line.
    locateLine(gridQuery(), number, storedKey.hint().mid(number.size()));
}

// Every line is read before anything is written; a failure stores nothing and leaves the
// typed lines for another try.
bool TfmBrenvik::pSaveQuery() {
    try {
        VoucherStore::NewVoucher voucher;
        voucher.baseDate = dateEdit().text();
        voucher.office = officeCode();
        voucher.formKubun = formKubun();
        for (int line = 1; line <= fields::LineCount; ++line) {
            if (!lineIsStored(line)) continue;
            voucher.rows.push_back(rowValues(Side::Debit, line));
            voucher.rows.push_back(rowValues(Side::Credit, line));
        }
        const QString number = store().insert(voucher);
        serialEdit().setText(number);
        if (!voucher.rows.empty()) linePanel(1).setHint(number + voucher.rows.back().line);
        return true;
    } catch (const std::exception& e) {
        reportNotWritten(kNotSaved, e);
        return false;
    }
}

// A line is stored when its debit amount is not zero. One that does not convert is not
// skipped: the insert stops on it and says why.
bool TfmBrenvik::lineIsStored(int line) const {
    try {
        return Str_ToNumber(Str_DelSpace(lineEdit(Side::Debit, Field::DebitColumn, line).text())) != 0;
    } catch (const ConvertError&) {
        return true;
    }
}

bool TfmBrenvik::nothingToStore() const {
    for (int line = 1; line <= fields::LineCount; ++line) {
        if (lineIsStored(line)) return false;
    }
    return true;
}

// The line's number is its panel's own, never one read from a stored row.
VoucherStore::Row TfmBrenvik::rowValues(Side side, int line) const {
    const auto text = [&](Field field) { return lineEdit(side, field, line).text(); };
    const auto coded = [&](Field field) { return VoucherStore::Coded{lineEdit(side, field, line).hint(), text(field)}; };
    VoucherStore::Row row;
    row.line = fields::lineNumber(line);
    row.side = storedSide(side);
    row.kubunAmt = kubunAmt(side);
    row.account = coded(Field::Account);
    row.item = coded(Field::Item);
    row.customer = coded(Field::Customer);
    row.project = coded(Field::Project);
    row.department = coded(Field::Department);
    row.employee = coded(Field::Employee);
    row.summary = text(Field::Summary);
    row.debitAmount = Str_ToNumber(Str_LTrim(text(Field::DebitColumn)));
    row.creditAmount = Str_ToNumber(Str_LTrim(text(Field::CreditColumn)));
    return row;
}

void TfmBrenvik::correctSelectedLine() {
    setFocus(saveButton());
    tk::Edit& serial = serialEdit();
    if (serial.text().isEmpty()) {
        tk::showWarning(kChooseLineToCorrect);
        return;
    }
    const QString number = serial.text();
    const QString line = selectedLine();
    storedLines().setHint(Str_DelSpace(number) + Str_DelSpace(line));
    if (!pUpdateQuery()) return;
    serial.setText(QString());
    if (!listedAgain([this] { pDBGridDisplay(); }, correctedButNotListed(number, line))) return;
    if (!listedAgain([this] { pQuery(); }, correctedButNotListed(number, line))) return;
    locateLine(gridQuery(), number, line);
}

QString TfmBrenvik::selectedLine() const { return gridQuery().fieldText(QStringLiteral("Serial_Bun")); }

// The rows of the chosen line that are stored, and no other. Warned only after the store
// has rolled back: no lock is held while the box waits.
bool TfmBrenvik::pUpdateQuery() {
    if (refuseLineWithoutPanel()) return false;
    const QString lineText = selectedLine();
    const int line = *fields::panelOfStoredLine(lineText);
    VoucherStore::Rewrite outcome = VoucherStore::Rewrite::LineNotStored;
    try {
        std::vector<VoucherStore::Row> rows;
        for (Side side : {Side::Debit, Side::Credit}) {
            if (!rowTakesPart(side, line)) continue;
            rows.push_back(rowValues(side, line));
            rows.back().line = lineText;
        }
        outcome = store().rewriteLine(dateEdit().text(), serialEdit().text(), rows);
    } catch (const std::exception& e) {
        reportNotWritten(kNotCorrected, e);
        return false;
    }
    if (outcome == VoucherStore::Rewrite::LineNotStored) tk::showWarning(kLineNotStored);
    if (outcome == VoucherStore::Rewrite::NotOneRowPerSide) tk::showWarning(lineNotCorrectable(lineText));
    if (outcome != VoucherStore::Rewrite::Done) return false;
    // Greyed once the line is rewritten, so a refused correction leaves it open.
    tk::Panel& rewritten = linePanel(line);
    rewritten.setColor(tk::clBtnFace);
    rewritten.setEnabled(false);
    return true;
}

// The chosen grid line goes, found by its number as stored, whatever the panels show.
void TfmBrenvik::DeleteBtnClick(tk::Control&) {
    db::Query& stored = gridQuery();
    if (stored.recordCount() == 0) {
        reportNoData();
        return;
    }
    tk::Edit& serial = serialEdit();
    const QString number = serial.text();
    storedLines().setHint(Str_DelSpace(number));
    const QString line = selectedLine();
    if (number.isEmpty()) {
        tk::showWarning(kChooseGridRow);
        return;
    }
    const std::optional<int> deleted = deleteLine(line);
    if (!deleted) return;
    if (*deleted == 0) {
        reportLineNotFound();
        return;
    }
    serial.setText(QString());
    if (const std::optional<int> panel = fields::panelOfStoredLine(line)) linePanel(*panel).setVisible(false);
    const QString reported = deletedButNotListed(number, line);
    int left = 0;
    if (!listedAgain([&] { left = store().rowsOf(number); }, reported)) return;
    if (left != 0) {
        listedAgain([this] { pDeleteCount_Query(); }, reported);
        return;
    }
    // The voucher is gone.
    browseDateAndOffice(reported);
}

// Nothing chosen any more: the panels reset, mode "1", the grid of the date and office, empty
// lines. False when the grid could not be read (the clerk has been told so).
bool TfmBrenvik::browseDateAndOffice(const QString& notListed) {
    resetLinePanels();
    setFormMode(ModeIdle);
    pEnabledBtn();
    const bool listed = listedAgain([this] { pQuery(); }, notListed);
    pClear();
    return listed;
}

std::optional<int> TfmBrenvik::deleteLine(const QString& line) {
    try {
        return store().deleteLine(serialEdit().text(), line);
    } catch (const std::exception& e) {
        reportNotWritten(kNotDeleted, e);
        return std::nullopt;
    }
}

// Another clerk deleted the line meanwhile, or its key cannot be matched (a NULL line text):
// the panels and the grid would no longer agree, so the form goes back to browsing.
void TfmBrenvik::reportLineNotFound() {
    if (browseDateAndOffice(kLineNotFound + QStringLiteral("저장된 전표 목록을 보여주지 못했습니다....")))
        tk::showWarning(kLineNotFound + QStringLiteral("그리드를 다시 조회했습니다...."));
}

// What failed, under a line that says what became of the clerk's work; of a commit the server
// never answered, nobody can say, so the clerk is sent to the list before trying again.
void TfmBrenvik::reportNotWritten(const QString& headline, const std::exception& error) {
    const auto* dbError = dynamic_cast<const db::Error*>(&error);
    const bool busy = dbError && dbError->kind() == db::Error::Kind::Busy;
    const bool unanswered = dynamic_cast<const db::CommitUnanswered*>(&error) != nullptr;
    tk::showError((unanswered ? kOutcomeUnknown : headline) + QLatin1Char('\n') + (busy ? kBusy + QLatin1Char('\n') : QString()) +
                  QString::fromUtf8(error.what()));
}
