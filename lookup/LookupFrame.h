#pragma once
// The frame every code lookup dialog shares: the top panel with the chosen code, the search
// field and its button, the button bar of which only "&X 종료" works, and the result grid.
// A dialog class supplies its description, its code and name columns and its write-back.

#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"

#include <QString>
#include <QStringList>

namespace lookup {

class LookupDialog : public tk::Form {
public:
    // Runs the dialog's search with the text of edSearch (the search button's action).
    virtual void search() = 0;

    // The form a choice is written into; the program block hands over its voucher form.
    void setTargetForm(tk::Form& form) { target_ = &form; }

    // What a voucher field does before it opens the dialog: the result fields emptied, the
    // filter back on its first entry, the line key into the Hint of edSearch and the field's
    // text, unchanged, into edSearch. Neither searches nor shows.
    void prepare(const QString& lineKey, const QString& searchText);
    // Runs the search and shows the dialog (modeless; returns at once).
    void searchAndShow();

    // The line key the voucher form left in the Hint of edSearch, as a whole number;
    // throws std::invalid_argument when it is not one.
    int lineKey() const;

protected:
    // The dialog's description (":/forms/Qel_Unit3_0N.json"), built on the frame's: it adds
    // to the frame and overrides it control by control. `extra` holds handlers that only
    // this dialog names in its description.
    LookupDialog(const QString& formName, const QString& descriptionPath, QString codeColumn,
                 QString nameColumn, const Handlers& extra = {});

    // The form the choice is written into; throws when none was handed over.
    tk::Form& targetForm() const;
    // A dialog with a filter list puts it back on its first entry (no change handler runs).
    virtual void resetFilter() {}
    // Writes the current row into the target form as the line key says.
    virtual void writeBack() = 0;
    // Whether a double click closes the dialog after writing back.
    virtual bool closesOnDoubleClick() const = 0;

    // The search of the frame: close Query1, bind the pattern to `parameter`, open it.
    void searchQuery1(const QString& parameter);
    // The dialog's description, which keeps its fixed statement lines.
    const tk::FormDescription& description() const { return description_; }
    // Code into the Hint, then name into the text of the target form's edit, each read
    // afresh from the current row.
    void writeRowInto(const QString& editName);
    bool hasRows() const;
    QString currentCode() const;
    QString currentName() const;

    // Frame handlers.
    void FormCreate(tk::Form& sender);
    void FormKeyDown(tk::Form& sender, int& key, tk::ShiftState shift);
    void CloseBtnClick(tk::Control& sender);
    void edSearchKeyPress(tk::Control& sender, QChar& key);
    // Enter moves on to the next control in tab order; other characters pass.
    void moveOnWithEnter(tk::Control& sender, QChar& key);
    virtual void edSearchExit(tk::Control& sender);
    void SearchBtnClick(tk::Control& sender);
    void DBGrid1CellClick(tk::Control& sender);
    void DBGrid1KeyDown(tk::Control& sender, int& key, tk::ShiftState shift);
    void DBGrid1KeyUp(tk::Control& sender, int& key, tk::ShiftState shift);
    void DBGrid1DblClick(tk::Control& sender);

private:
    Handlers frameHandlers();
    void takeCurrentRow();

    tk::FormDescription description_;
    QString codeColumn_, nameColumn_;
    tk::Form* target_ = nullptr;
};

// The message shown instead of closing on Alt+F4.
QString altF4Refusal();
// "%", the text without any blank, "%".
QString searchPattern(const QString& text);

}  // namespace lookup
