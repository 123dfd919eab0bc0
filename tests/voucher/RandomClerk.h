#pragma once
// A clerk who does random things to a program's forms, headless, from a seed: types digits,
// letters and Korean text into any field, presses Enter, Tab, Shift+Tab, arrows and Alt
// letters, clicks fields, buttons and grid rows, works in the dialogs, saves, deletes, prints,
// cancels, changes the date and the office. Closing the voucher form ends the program, which
// is then started again. After every action each new message must be one the program knows.

#include "db/Database.h"
#include "tests/voucher/Programs.h"
#include "voucher/text/LineFields.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>

class TfmBrenvik;
namespace report {
class RecordingPreviewService;
}
namespace tk {
class Form;
struct Message;
}  // namespace tk

namespace vclerk {

// The program the clerk works in.
using vtest::Program;
using vtest::kBrenvik;
using vtest::kSattrel;
using vtest::programNamed;

// The master rows come from the demo data; these are a few of the program's vouchers of two
// dates and offices.
void storeSampleVouchers(db::Database& db, const Program& program);

// What is wrong with the stored vouchers: every line must be one debit row "01" and one
// credit row "02" of one voucher number and line number, and a voucher number must belong to
// one date, office and entry form. Empty when all is well.
QStringList storedVoucherProblems(db::Database& db);

// What a run did, for the report.
struct Summary {
    std::uint64_t seed = 0;
    int actions = 0;
    bool stoppedAtTimeBound = false;
    int restarts = 0;
    int previews = 0;
    std::map<std::string, int> actionKinds;  // by kind of action
    std::map<std::string, int> effects;      // vouchers saved, lines corrected (about) and deleted
    struct Shown {
        int count = 0;
        std::set<std::string> examples;  // a few of the masked values
    };
    std::map<std::string, Shown> messages;  // by shown text, values in quotes masked
    QString failure;                         // empty when every action passed
    std::string text() const;                // a few lines for the test log
};

// A run of one seed and what it left: the run's summary (its failure, if any), what is wrong
// with the voucher form afterwards and with the stored vouchers; all empty when all is well.
struct Outcome {
    Summary summary;
    QString programAnswer;
    QStringList storedProblems;
};
Outcome runAndCheck(const Program& program, std::uint64_t seed, int actions, std::chrono::seconds timeBound,
                    db::Database& db);

class RandomClerk {
public:
    // Starts the program's forms as the program does, on the alias "Account".
    RandomClerk(const Program& program, std::uint64_t seed);
    ~RandomClerk();
    RandomClerk(const RandomClerk&) = delete;
    RandomClerk& operator=(const RandomClerk&) = delete;

    // Runs up to `actions` actions, or until `timeBound` has passed, or until one fails.
    Summary run(int actions, std::chrono::seconds timeBound);

    // After the run: what is wrong with the voucher form, empty when it still shows, keeps its
    // grid open and answers a click on Cancel by returning to browsing.
    QString programAnswers();

private:
    TfmBrenvik* voucherForm() const { return program_.voucherForm(); }
    void startProgram();
    void step();  // one action, then what it did to the stored vouchers
    void act();
    struct Stored {
        int rows = 0;
        QString lastSave;
    };
    Stored stored();
    void checkNewMessages();
    bool allowed(const tk::Message& m) const;
    void fail(const QString& why);
    void log(const std::string& kind, const QString& description);  // an action, counted
    void note(const QString& description);                           // into the recent actions

    // Plans: steps a clerk sets out to take, run one per action.
    void makePlan();
    void planNewVoucher();
    void planField(fields::Side side, fields::Field kind, int line, const QString& text);
    void planCommand(const char* button, char16_t accelerator);
    void chooseInShownDialog();

    // Actions.
    void onVoucherForm();
    void inDialog(tk::Form& dialog);
    void anywhere(tk::Form& form);
    void typeSomething(tk::Form& form);
    void changeDate();
    void changeOffice();
    void pickGridRow(tk::Form& form, bool doubleClick);
    void clickAnyControl(tk::Form& form);
    void switchWindow();

    // Random choices.
    int below(std::size_t n);  // 0 to n - 1
    bool chance(int percent);
    QString someText();
    QString someDate();
    QString someWord();
    QString someWordFor(fields::Field kind);

    const Program& program_;
    std::uint64_t seed_;
    std::mt19937_64 random_;
    Summary summary_;
    int seenMessages_ = 0;
    report::RecordingPreviewService* previews_ = nullptr;
    std::deque<std::string> recent_;  // the last actions, newest last
    std::deque<std::function<void()>> plan_;
};

}  // namespace vclerk
