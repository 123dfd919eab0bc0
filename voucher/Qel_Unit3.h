#pragma once
// The voucher form of Brenvik (transfer vouchers): base date, office list, voucher number,
// four voucher lines of a debit and a credit row, and the grid of stored lines.
// Layout, captions and the fixed statement lines come from forms/Qel_Unit3.json.

#include "platform/NamedMutex.h"
#include "platform/Window.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"
#include "voucher/VoucherStore.h"
#include "voucher/text/LineFields.h"

#include <QString>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

// --- single-instance guard, alive for the whole process -----------------------------------
// The program file's name less its extension: the mutex name and the window title searched for.
extern QString AppExeName;
// A mutex of that name already existed when this process created its own.
extern bool AppAlreadyRunning;
extern platform::MutexHandle hAppMutex;
// The result of the last window search of the hand-over.
extern platform::WindowHandle hPrevAppWindow;

namespace lookup {
class LookupDialog;
}
class TfmQrBrenvik;

// Unit initialisation and finalisation of the voucher form's unit.
void InitSingleInstanceMutex();
void DoneSingleInstanceMutex();

class TfmBrenvik : public tk::Form {
public:
    TfmBrenvik();
    ~TfmBrenvik() override;

    // Form modes, kept in the Hint of Panel7.
    static const QString ModeIdle;          // "1" browsing
    static const QString ModeLineSelected;  // "2" a stored line chosen in the grid
    static const QString ModeNewVoucher;    // "3" a new voucher being typed

    QString formMode() const;
    void setFormMode(const QString& mode);
    // The office list's item index formatted with five digits ("00000" for the first office).
    QString officeCode() const;
    // Entry form written into Form_Kubun and the row key ("A003" here).
    virtual QString formKubun() const;

    // The dialogs the line fields open; the program block hands them over after creating them.
    struct Lookups {
        lookup::LookupDialog* debitAccount = nullptr;   // Form1
        lookup::LookupDialog* creditAccount = nullptr;  // Form7
        lookup::LookupDialog* customer = nullptr;       // Form2
        lookup::LookupDialog* employee = nullptr;       // Form3
        lookup::LookupDialog* department = nullptr;     // Form4
        lookup::LookupDialog* project = nullptr;        // Form5
        lookup::LookupDialog* item = nullptr;           // Form6
    };
    void setLookups(const Lookups& lookups) { lookups_ = lookups; }

    // --- the form's routines ------------------------------------------------------------
    void pEnabledBtn();
    void pClear();
    void pQuery();
    void pDeleteCount_Query();
    void pDBGridDisplay();
    void pPanel_DisplayQuery();
    // Line panels shown, enabled and button-face coloured.
    void resetLinePanels();

    // --- handlers -----------------------------------------------------------------------
    virtual void FormCreate(tk::Form& sender);
    // Empties the global of this form and frees it (a variant empties its own global).
    virtual void FormClose(tk::Form& sender, tk::CloseAction& action);
    void InsertBtnClick(tk::Control& sender);
    void CancelBtnClick(tk::Control& sender);
    void CloseBtnClick(tk::Control& sender);
    void edDateExit(tk::Control& sender);
    void edDateKeyPress(tk::Control& sender, QChar& key);
    void edCR_Cr_Amt_01KeyPress(tk::Control& sender, QChar& key);
    void cbKubunKeyPress(tk::Control& sender, QChar& key);
    void cbKubunEnter(tk::Control& sender);
    void cbKubunChange(tk::Control& sender);
    void cbKubunExit(tk::Control& sender);
    void DBGrid1CellClick(tk::Control& sender);
    void DBGrid1KeyDown(tk::Control& sender, int& key, tk::ShiftState shift);
    void DBGrid1KeyUp(tk::Control& sender, int& key, tk::ShiftState shift);

    // --- line-field handlers: one per kind, given the line; bound as edCR_Kubun_Name_01Exit ...
    void accountExit(fields::Side side, int line);
    // A variant whose credit analysis fields only mirror the debit row replaces these three.
    virtual void creditLookupExit(fields::Field kind, int line);
    virtual void creditItemExit(int line);  // lines 1 to 3
    virtual void lastCreditItemExit();      // line 4
    void debitAmountExit(int line);
    void debitAmountClick(int line);
    void debitSummaryExit(int line);

    // A field of a line; the dialog a lookup field of that row and kind opens.
    tk::Edit& lineEdit(fields::Side side, fields::Field field, int line) const {
        return edit(fields::name(side, field, line));
    }
    lookup::LookupDialog& lookupFor(fields::Side side, fields::Field kind) const;

    // --- printing -----------------------------------------------------------------------
    void PrintBtnClick(tk::Control& sender);
    // A new print form owned by the application, reading this form's print query.
    virtual TfmQrBrenvik& createPrintForm();

    // --- saving, correcting and deleting ------------------------------------------------
    void SaveBtnClick(tk::Control& sender);
    void DeleteBtnClick(tk::Control& sender);
    // Numbers and stores the new voucher: two rows for every line whose amount is not zero.
    // Puts the number into edSerial and the key of the last stored line into the Hint of
    // Panel1; false when nothing was stored (the clerk has been told why).
    bool pSaveQuery();
    // Rewrites the stored rows of the line chosen in the grid; false when nothing changed
    // (the clerk has been told why).
    bool pUpdateQuery();

protected:
    // Kubun_Amt of a stored row ("5" on either side here).
    virtual QString kubunAmt(fields::Side side) const;
    // The rows whose analysis fields Save requires a chosen code of (both rows here).
    virtual std::vector<fields::Side> codeCheckedSides() const;

    // For a variant form: it names itself, adds or replaces handlers in handlers() and
    // loads its own description with load().
    struct Deferred {};
    TfmBrenvik(const QString& formName, Deferred);
    Handlers handlers();
    void load(const QString& descriptionPath, const Handlers& handlers);

    // During an exit: whether the control receiving the focus is this one.
    bool receiverIs(const tk::Control& control) const;
    // The focus to the button panel, then to Save (the second holds).
    void focusSaveButton();

    // The grid of stored lines.
    tk::DBGrid& storedLines() const { return grid(QStringLiteral("DBGrid1")); }

private:
    // --- the controls the form's routines work on -----------------------------------------
    tk::Edit& dateEdit() const { return edit(QStringLiteral("edDate")); }
    tk::ComboBox& officeList() const { return comboBox(QStringLiteral("cbKubun")); }
    // The voucher number: of the voucher just stored, or of the line chosen in the grid.
    tk::Edit& serialEdit() const { return edit(QStringLiteral("edSerial")); }
    // The panel of one line; line 1's Hint keeps the key of the last stored line.
    tk::Panel& linePanel(int line) const { return panel(fields::linePanel(line)); }
    // The button panel; its Hint keeps the form mode.
    tk::Panel& modePanel() const { return panel(QStringLiteral("Panel7")); }
    tk::Button& insertButton() const { return button(QStringLiteral("InsertBtn")); }
    tk::Button& saveButton() const { return button(QStringLiteral("SaveBtn")); }
    tk::Button& deleteButton() const { return button(QStringLiteral("DeleteBtn")); }
    tk::Button& printButton() const { return button(QStringLiteral("PrintBtn")); }
    tk::Button& closeButton() const { return button(QStringLiteral("CloseBtn")); }
    // The stored lines of the date and office, shown in the grid.
    db::Query& gridQuery() const { return query(QStringLiteral("Query1")); }
    // The office list, then the line numbers of the chosen voucher.
    db::Query& listQuery() const { return query(QStringLiteral("Query2")); }

    // How a credit analysis field was left.
    enum class CreditOutcome { Skipped, Emptied, TookDebitCode, Searched };
    CreditOutcome creditLookup(fields::Field kind, int line);
    void accountChecks();
    void lookupExit(fields::Side side, fields::Field kind, int line);
    // During an exit: whether the focus goes to the date, the office list, the grid, or the
    // Save, Delete, Print or Close button.
    bool receiverIsOutsideLines() const;
    bool receiverIsSkipped() const;
    void enterMovesOn(QChar& key);
    void chooseGridRow();
    void fillRowFromQuery(db::Query& rows, int line, fields::Side side);
    void bindLineFieldHandlers(Handlers& h);
    void showAmount(tk::Edit& edit, double amount);
    void reportNoData();
    void fillOfficeList();
    // The part of the start that reads the database; done again until it succeeds.
    void finishStart();
    void centreOnScreen();
    void handOverToRunningInstance();
    // Date, office and voucher number of the chosen voucher as a print query's parameters.
    void bindPrintedVoucher(db::Query& q) const;

    // Saving, correcting and deleting.
    // The stored rows of Account_Qel_AA, reached on the form's connection.
    VoucherStore store();
    // One row of a line as its edits give it, read and converted before anything is written.
    VoucherStore::Row rowValues(fields::Side side, int line) const;
    // In mode "2" a row takes part in Save only when the chosen voucher has it stored.
    bool rowTakesPart(fields::Side side, int line) const;
    void clearRow(fields::Side side, int line);
    void fillEmptyAmounts();
    bool accountsChosen();
    bool codesChosen();
    void refuse(tk::Control& field, const QString& message);
    bool refuseLineWithoutPanel();
    void storeNewVoucher();
    // Whether the insert stores the line (two rows); false when its debit amount reads zero.
    bool lineIsStored(int line) const;
    bool nothingToStore() const;
    QString linesClearedOnLeaving(const tk::Control* left) const;
    void correctSelectedLine();
    // The rows the delete removed; nullopt when it failed (the clerk has been told why).
    std::optional<int> deleteLine(const QString& line);
    // Nothing was stored under the chosen line: nothing stays chosen, the grid is read again.
    void reportLineNotFound();
    bool browseDateAndOffice(const QString& notListed);
    // The chosen grid line's number as stored ("01", or another program's "1" or "001").
    QString selectedLine() const;
    static void reportNotWritten(const QString& headline, const std::exception& error);

    std::optional<tk::FormDescription> description_;
    Lookups lookups_;
    // The office list was read and its first office selected.
    bool startFinished_ = false;
};

// The voucher form of the running program (the lookup dialogs write back through it).
extern TfmBrenvik* fmBrenvik;
