#include "tests/voucher/RandomClerk.h"

#include "db/Query.h"
#include "lookup/LookupFrame.h"
#include "report/Preview.h"
#include "tests/voucher/VoucherFormFixture.h"
#include "tests/support/Clerk.h"
#include "toolkit/Application.h"
#include "toolkit/Services.h"
#include "voucher/text/LineFields.h"
#include "voucher/Qel_Unit3.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define VQ_SANITIZED 1
#endif

using fields::Field;
using fields::Side;

namespace vclerk {

namespace {

// --- what a dying or hanging run prints --------------------------------------------------

// The seed and the last actions as one ready text, so a crash handler only has to write it.
class LastWords {
public:
    static LastWords& instance() {
        static LastWords words;
        return words;
    }
    void set(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex_);
        length_ = std::min(text.size(), sizeof buffer_);
        std::memcpy(buffer_, text.data(), length_);
    }
    // Async-signal-safe: no allocation, no lock.
    void write() const noexcept {
        const char head[] = "\n=== random clerk: the run died during the last action below ===\n";
        ssize_t ignored = ::write(STDERR_FILENO, head, sizeof head - 1);
        ignored = ::write(STDERR_FILENO, buffer_, length_);
        (void)ignored;
    }

private:
    std::mutex mutex_;
    char buffer_[16384] = {};
    std::size_t length_ = 0;
};

void writeLastWords() { LastWords::instance().write(); }

void lastWordsOnSignal(int signal) {
    writeLastWords();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Each sanitizer runtime loaded beside the program (GCC loads AddressSanitizer and
// UndefinedBehaviorSanitizer as two) calls the callback its own copy of this function set.
int tellSanitizerRuntime(dl_phdr_info* info, std::size_t, void* found) {
    if (info->dlpi_name == nullptr || std::strstr(info->dlpi_name, "san") == nullptr) return 0;
    void* runtime = dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD);
    if (runtime == nullptr) return 0;
    using SetDeathCallback = void (*)(void (*)());
    if (auto set = reinterpret_cast<SetDeathCallback>(dlsym(runtime, "__sanitizer_set_death_callback"))) {
        set(&writeLastWords);
        *static_cast<bool*>(found) = true;
    }
    dlclose(runtime);
    return 0;
}

void installLastWords() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    bool sanitized = false;
#ifdef VQ_SANITIZED
    __sanitizer_set_death_callback(&writeLastWords);  // a runtime linked into the program
    sanitized = true;
#endif
    dl_iterate_phdr(&tellSanitizerRuntime, &sanitized);
    // The sanitizers own the fatal signals and report first; without them, these handlers speak.
    if (!sanitized) {
        for (int s : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) std::signal(s, &lastWordsOnSignal);
    }
}

// Ends a run whose action never returns, with the last actions on the log.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] { watch(limit); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void actionDone() { ++done_; }

private:
    void watch(std::chrono::seconds limit) {
        std::unique_lock<std::mutex> lock(mutex_);
        int seen = done_;
        auto since = std::chrono::steady_clock::now();
        while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return stop_; })) {
            if (done_ != seen) {
                seen = done_;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > limit) {
                std::fprintf(stderr, "\nrandom clerk: one action has not returned for %lld s\n",
                             static_cast<long long>(limit.count()));
                writeLastWords();
                std::signal(SIGABRT, SIG_DFL);  // said once
                std::abort();
            }
        }
    }
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::atomic<int> done_{0};
    std::thread thread_;
};

constexpr std::size_t kRecentActions = 25;
constexpr auto kOneActionLimit = std::chrono::seconds(120);

// --- the texts the program shows ---------------------------------------------------------

struct KnownText {
    tk::Message::Kind kind;
    QRegularExpression pattern;
};

QRegularExpression whole(const QString& pattern) {
    return QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'));
}

QRegularExpression exactly(const QString& text) { return whole(QRegularExpression::escape(text)); }

// The warnings and messages of the voucher form and the dialogs, as their code words them.
const std::vector<KnownText>& knownTexts() {
    using K = tk::Message::Kind;
    static const std::vector<KnownText> texts = {
        {K::Warning, exactly(QStringLiteral("현재 데이타가 없읍니다...."))},
        {K::Warning, exactly(QStringLiteral("본지점 구분을 선택하세요."))},
        {K::Warning, exactly(QStringLiteral("기준일자를 선택하세요."))},
        {K::Warning, exactly(QStringLiteral("처음 등록 부분을 하세요...."))},
        {K::Warning, exactly(QStringLiteral("저장할 금액이 없습니다. 차변 금액을 입력 하세요...."))},
        {K::Warning, exactly(QStringLiteral("그리드에서 수정할 레코드를 선택 하세요....."))},
        {K::Warning, exactly(QStringLiteral("그리드의 레코드를 선택하세요...."))},
        {K::Warning, exactly(QStringLiteral("수정할 라인이 저장되어 있지 않습니다. 그리드를 다시 조회하세요...."))},
        {K::Warning, whole(QStringLiteral("[0-9]+라인은 이 화면에서 수정할 수 없는 라인입니다\\.\\.\\.\\."))},
        // The date field takes digits and "-" only, ten at most.
        {K::Warning, whole(QStringLiteral("[0-9-]{0,10} : 유효하지 않은 날짜 형식입니다\\."))},
        {K::Warning, whole(QStringLiteral("[1-4]라인에 계정과목을 등록 하세요\\.\\.\\.\\."))},
        {K::Warning, whole(QStringLiteral("[1-4]라인에 (거래처및은행명|사원이름|부서이름|프로젝트이름|아이템 명)의 코드를 "
                                          "등록 하세요\\.\\.\\.\\."))},
        {K::Plain, exactly(QStringLiteral("잘못 입력하셨습니다"))},
        {K::Plain, exactly(QStringLiteral("현재 \"Alt+F4\"키는 종료를 못 시킵니다"))},
    };
    return texts;
}

// Error dialogs that say plainly what went wrong: a typed amount that is no number, or a
// write that stored nothing, with what became of the clerk's work and why.
bool clearError(const QString& text) {
    static const QRegularExpression conversion = whole(QStringLiteral("'[^']*' is not a valid floating point value"));
    static const QRegularExpression notWritten = QRegularExpression(
        QStringLiteral("^(저장하지 못했습니다\\. 입력한 내용은 그대로 있습니다|수정하지 못했습니다\\. 저장된 라인은 바뀌지 "
                       "않았습니다|삭제하지 못했습니다\\. 저장된 라인은 그대로 있습니다)\\.\\.\\.\\.\\n(.+)$"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tooLong = QRegularExpression(QStringLiteral("\\w+\\.\\w+ holds at most \\d+ characters"));
    if (conversion.match(text).hasMatch()) return true;
    const QRegularExpressionMatch m = notWritten.match(text);
    if (!m.hasMatch()) return false;
    const QString why = m.captured(2);
    return conversion.match(why).hasMatch() || tooLong.match(why).hasMatch();
}

const QRegularExpression& quotedValue() {
    static const QRegularExpression quoted(QStringLiteral("'[^'\\n]*'"));
    return quoted;
}

// One line per kind of text: typed values and the typed date stand masked.
std::string grouped(const tk::Message& m) {
    static const QRegularExpression typedDate(QStringLiteral("^[0-9-]{0,10} : "));
    QString t = m.text;
    t.replace(quotedValue(), QStringLiteral("'…'")).replace(typedDate, QStringLiteral("<typed> : "));
    t.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    const char* kind = m.kind == tk::Message::Kind::Warning ? "warning" : m.kind == tk::Message::Kind::Plain ? "message" : "error";
    return std::string(kind) + ": " + t.toStdString();
}

// --- what the clerk types ----------------------------------------------------------------

const QStringList& words() {
    static const QStringList w = {
        // accounts
        QStringLiteral("현금"), QStringLiteral("보통"), QStringLiteral("예금"), QStringLiteral("매출"), QStringLiteral("상품"),
        QStringLiteral("급여"), QStringLiteral("원가"), QStringLiteral("비"), QStringLiteral("자산"),
        // customers and banks
        QStringLiteral("한빛"), QStringLiteral("상사"), QStringLiteral("물산"), QStringLiteral("은행"), QStringLiteral("우리"),
        QStringLiteral("(주)"),
        // employees, departments, projects, items
        QStringLiteral("김철수"), QStringLiteral("이영희"), QStringLiteral("박"), QStringLiteral("경리부"), QStringLiteral("영업"),
        QStringLiteral("부"), QStringLiteral("신제품"), QStringLiteral("공장"), QStringLiteral("원자재"), QStringLiteral("사무"),
        QStringLiteral("차량"),
        // nothing of the lists
        QStringLiteral("없는이름"), QStringLiteral("적요"), QStringLiteral("대체 전표"), QStringLiteral("%"), QStringLiteral("'"),
        QStringLiteral("_"), QStringLiteral("  "),
    };
    return w;
}

// What a clerk types into a field of this kind, mostly.
const QStringList& wordsFor(Field kind) {
    static const std::map<Field, QStringList> w = {
        {Field::Account, {QStringLiteral("현금"), QStringLiteral("보통"), QStringLiteral("매출"), QStringLiteral("비"), QString()}},
        {Field::Customer, {QStringLiteral("한빛"), QStringLiteral("은행"), QStringLiteral("우리"), QStringLiteral("상사")}},
        {Field::Employee, {QStringLiteral("김철수"), QStringLiteral("이"), QStringLiteral("박")}},
        {Field::Department, {QStringLiteral("경리부"), QStringLiteral("영업"), QStringLiteral("부")}},
        {Field::Project, {QStringLiteral("신제품"), QStringLiteral("공장")}},
        {Field::Item, {QStringLiteral("원자재"), QStringLiteral("사무"), QStringLiteral("차량")}},
        // The summary edit takes 400 characters, its column 200.
        {Field::Summary, {QStringLiteral("대체"), QStringLiteral("월급 지급"), QStringLiteral("note 1"),
                          QStringLiteral("긴 적요 ").repeated(41)}},
        {Field::DebitColumn, {QStringLiteral("1000"), QStringLiteral("25000"), QStringLiteral("1-2"), QStringLiteral("0"),
                              QStringLiteral("12.5"), QStringLiteral("-300"), QStringLiteral("99999999999999999")}},
    };
    return w.at(kind);
}

QString describe(const QString& text) {
    QString shown = text.size() > 40 ? text.left(37) + QStringLiteral("...(%1 characters)").arg(text.size()) : text;
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString keyName(int key, tk::ShiftState shift) {
    static const std::map<int, const char*> names = {
        {tk::vk::Return, "Enter"}, {tk::vk::Tab, "Tab"},     {tk::vk::Back, "Backspace"}, {tk::vk::Escape, "Esc"},
        {tk::vk::Up, "Up"},        {tk::vk::Down, "Down"},   {tk::vk::Left, "Left"},      {tk::vk::Right, "Right"},
        {tk::vk::Prior, "PageUp"}, {tk::vk::Next, "PageDown"}, {tk::vk::Home, "Home"},    {tk::vk::End, "End"},
        {tk::vk::Delete, "Delete"}, {tk::vk::Space, "Space"}, {tk::vk::F4, "F4"},
    };
    QString name = names.count(key) ? QLatin1String(names.at(key)) : QString(QChar(key));
    if (shift & tk::ssAlt) name.prepend(QStringLiteral("Alt+"));
    if (shift & tk::ssShift) name.prepend(QStringLiteral("Shift+"));
    return name;
}

bool isDialog(const tk::Form& f) { return dynamic_cast<const lookup::LookupDialog*>(&f) != nullptr; }

std::vector<tk::Form*> visibleForms() {
    std::vector<tk::Form*> out;
    for (const auto& f : tk::app().forms()) {
        if (f->visible()) out.push_back(f.get());
    }
    return out;
}

}  // namespace

// --- data ----------------------------------------------------------------------------------

void storeSampleVouchers(db::Database& db, const Program& program) {
    const QString today = vtest::today();
    const auto row = [&program](const QString& date, const char* office, const char* counter, const char* line) {
        return vtest::row(date, QLatin1String(office), QLatin1String(counter), QLatin1String(line), QLatin1String(program.formKubun));
    };
    // Two lines today at the head office, one today at a branch, two lines of an older date.
    vtest::storeLine(db, row(today, "00000", "00000001", "01"), 1000);
    vtest::storeLine(db, row(today, "00000", "00000001", "02"), 2500);
    vtest::storeLine(db, row(today, "00001", "00000002", "01"), 700);
    vtest::storeLine(db, row(QStringLiteral("2024-03-05"), "00000", "00000001", "01"), 300);
    vtest::storeLine(db, row(QStringLiteral("2024-03-05"), "00000", "00000001", "03"), 400);
}

QStringList storedVoucherProblems(db::Database& db) {
    struct Voucher {
        QSet<QString> owners;                // date, office and entry form
        std::map<QString, QStringList> lines;  // line number -> side codes
    };
    std::map<QString, Voucher> vouchers;
    db::Query q(db);
    q.setSql({QStringLiteral("select Serial_Qel, Serial_Bun, Serial_CrDr, Date_Day, Kubun_Bon, Form_Kubun from Account_Qel_AA")});
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        Voucher& v = vouchers[q.fieldText(QStringLiteral("Serial_Qel"))];
        v.owners << q.fieldText(QStringLiteral("Date_Day")) + QLatin1Char('/') + q.fieldText(QStringLiteral("Kubun_Bon")) +
                        QLatin1Char('/') + q.fieldText(QStringLiteral("Form_Kubun"));
        v.lines[q.fieldText(QStringLiteral("Serial_Bun"))] << q.fieldText(QStringLiteral("Serial_CrDr"));
    }
    // The base date, "-" and an eight-digit counter.
    static const QRegularExpression number(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})-\\d{8}$"));
    QStringList problems;
    for (auto& [serial, v] : vouchers) {
        if (v.owners.size() != 1) {
            QStringList owners = v.owners.values();
            owners.sort();
            problems << QStringLiteral("voucher %1 belongs to %2").arg(serial, owners.join(QStringLiteral(" and ")));
        }
        const QRegularExpressionMatch m = number.match(serial);
        const QString owner = v.owners.values().first();
        if (!m.hasMatch() || !QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd")).isValid() ||
            !owner.startsWith(m.captured(1) + QLatin1Char('/')))
            problems << QStringLiteral("voucher number %1 is no number of a date or not its date's (%2)").arg(serial, owner);
        for (auto& [line, sides] : v.lines) {
            sides.sort();
            if (sides != QStringList{QStringLiteral("01"), QStringLiteral("02")})
                problems << QStringLiteral("voucher %1 line %2 has the rows %3").arg(serial, line, sides.join(QLatin1Char(',')));
        }
    }
    return problems;
}

std::string Summary::text() const {
    std::ostringstream out;
    out << "random clerk: seed " << seed << ", " << actions << " actions"
        << (stoppedAtTimeBound ? " (stopped at the time bound)" : "") << ", " << restarts << " restarts, " << previews
        << " previews\n  effects:";
    for (const auto& [effect, n] : effects) out << ' ' << effect << '=' << n;
    out << "\n  actions:";
    for (const auto& [kind, n] : actionKinds) out << ' ' << kind << '=' << n;
    out << "\n  messages shown:\n";
    for (const auto& [text, shown] : messages) {
        out << "    " << shown.count << " x " << text;
        if (!shown.examples.empty()) {
            out << "   e.g.";
            for (const std::string& e : shown.examples) out << ' ' << e;
        }
        out << '\n';
    }
    return out.str();
}

// --- the run -------------------------------------------------------------------------------

RandomClerk::RandomClerk(const Program& program, std::uint64_t seed) : program_(program), seed_(seed), random_(seed) {
    summary_.seed = seed;
    installLastWords();
    startProgram();
}

RandomClerk::~RandomClerk() {
    tk::app().reset();
    program_.forget();
    report::setPreviewService(nullptr);
}

void RandomClerk::startProgram() {
    tk::app().initialize(QLatin1String(program_.name));
    previews_ = &static_cast<report::RecordingPreviewService&>(
        report::setPreviewService(std::make_unique<report::RecordingPreviewService>()));
    seenMessages_ = 0;
    program_.create();
    tk::app().run();
}

Summary RandomClerk::run(int actions, std::chrono::seconds timeBound) {
    const auto deadline = std::chrono::steady_clock::now() + timeBound;
    Watchdog watchdog(kOneActionLimit);
    checkNewMessages();  // the start-up's own
    while (summary_.failure.isEmpty() && summary_.actions < actions) {
        if (std::chrono::steady_clock::now() > deadline) {
            summary_.stoppedAtTimeBound = true;
            break;
        }
        ++summary_.actions;
        try {
            step();
        } catch (const std::exception& e) {
            fail(QStringLiteral("an exception left the action: %1").arg(QString::fromUtf8(e.what())));
        }
        watchdog.actionDone();
    }
    Summary s = summary_;
    s.previews += previews_ ? static_cast<int>(previews_->shown().size()) : 0;
    return s;
}

// Row count and latest save time of the voucher table: how an action changed it.
RandomClerk::Stored RandomClerk::stored() {
    db::Query q(db::Database::alias(QStringLiteral("Account")));
    q.setSql({QStringLiteral("select count(*) as Rows_, max(End_Day) as Last_ from Account_Qel_AA")});
    q.open();
    return {q.fieldInt(QStringLiteral("Rows_")), q.fieldText(QStringLiteral("Last_"))};
}

void RandomClerk::step() {
    const Stored before = stored();
    act();
    const Stored after = stored();
    if (after.rows > before.rows) ++summary_.effects["vouchers saved"];
    if (after.rows < before.rows) ++summary_.effects["lines deleted"];
    // Save times have whole seconds: two corrections within one second count once.
    if (after.rows == before.rows && after.lastSave != before.lastSave) ++summary_.effects["lines corrected"];
    if (after.rows != before.rows || after.lastSave != before.lastSave) {
        const QStringList problems = storedVoucherProblems(db::Database::alias(QStringLiteral("Account")));
        if (!problems.isEmpty()) fail(QStringLiteral("the action left stored vouchers wrong:\n  ") + problems.join(QStringLiteral("\n  ")));
    }
}

void RandomClerk::act() {
    tk::Form* form = tk::app().activeForm();
    if (!form || !form->visible()) form = tk::app().mainForm();
    const int visible = static_cast<int>(visibleForms().size());
    if (plan_.empty() && chance(4)) makePlan();
    if (!plan_.empty() && chance(80)) {
        const std::function<void()> next = plan_.front();
        plan_.pop_front();
        next();
    } else if (visible > 1 && chance(6)) {
        switchWindow();
    } else if (isDialog(*form)) {
        inDialog(*form);
    } else {
        onVoucherForm();
    }
    checkNewMessages();
    if (summary_.failure.isEmpty() && (tk::app().terminated() || voucherForm() == nullptr)) {
        // The clerk closed the voucher form: the program ended and is started again.
        summary_.previews += static_cast<int>(previews_->shown().size());
        ++summary_.restarts;
        plan_.clear();
        note(QStringLiteral("the program ended; started again"));
        startProgram();
        checkNewMessages();
    }
}

void RandomClerk::log(const std::string& kind, const QString& description) {
    ++summary_.actionKinds[kind];
    note(description);
}

void RandomClerk::note(const QString& description) {
    tk::Form* form = tk::app().activeForm();
    tk::Control* focused = form ? form->activeControl() : nullptr;
    QString where = form ? form->name() : QStringLiteral("-");
    if (focused) where += QLatin1Char('[') + focused->name() + QLatin1Char(']');
    if (voucherForm()) where += QStringLiteral(" mode ") + voucherForm()->formMode();
    std::ostringstream line;
    line << "#" << summary_.actions << " " << where.toStdString() << ": " << description.toStdString();
    recent_.push_back(line.str());
    while (recent_.size() > kRecentActions) recent_.pop_front();
    std::ostringstream all;
    all << "seed " << seed_ << ", last actions (newest last):\n";
    for (const std::string& r : recent_) all << "  " << r << '\n';
    LastWords::instance().set(all.str());
}

void RandomClerk::fail(const QString& why) {
    if (!summary_.failure.isEmpty()) return;
    QString text = QStringLiteral("seed %1, action #%2 (%3): %4\nlast actions, newest last:\n")
                       .arg(seed_)
                       .arg(summary_.actions)
                       .arg(recent_.empty() ? QStringLiteral("start") : QString::fromStdString(recent_.back()), why);
    for (const std::string& r : recent_) text += QStringLiteral("  ") + QString::fromStdString(r) + QLatin1Char('\n');
    summary_.failure = text;
}

void RandomClerk::checkNewMessages() {
    auto& recorded = dynamic_cast<tk::RecordingMessageService&>(tk::app().messages());
    const auto& all = recorded.log();
    for (; seenMessages_ < static_cast<int>(all.size()); ++seenMessages_) {
        const tk::Message& m = all[seenMessages_];
        Summary::Shown& shown = summary_.messages[grouped(m)];
        ++shown.count;
        const QString value = quotedValue().match(m.text).captured();
        if (!value.isEmpty() && shown.examples.size() < 4) shown.examples.insert(value.toStdString());
        if (!allowed(m))
            fail(QStringLiteral("a message the program does not know: [%1] %2").arg(m.caption, m.text));
    }
}

bool RandomClerk::allowed(const tk::Message& m) const {
    switch (m.kind) {
    case tk::Message::Kind::Warning:
        if (m.caption != QLatin1String("Warning")) return false;
        break;
    case tk::Message::Kind::Plain:
        if (m.caption != tk::app().title()) return false;
        break;
    case tk::Message::Kind::Error:
        return m.caption == QLatin1String("Error") && clearError(m.text);
    }
    for (const KnownText& k : knownTexts()) {
        if (k.kind == m.kind && k.pattern.match(m.text).hasMatch()) return true;
    }
    return false;
}

QString RandomClerk::programAnswers() {
    if (tk::app().terminated() || voucherForm() == nullptr || !voucherForm()->visible())
        return QStringLiteral("the voucher form is gone");
    if (!voucherForm()->query(QStringLiteral("Query1")).active()) return QStringLiteral("the grid of stored lines is closed");
    tk::Clerk clerk(*voucherForm());
    clerk.switchTo(*voucherForm());
    tk::Button& cancel = voucherForm()->button(QStringLiteral("CancelBtn"));
    if (!cancel.enabled()) return QString();  // nothing to cancel
    log("answer", QStringLiteral("click CancelBtn"));
    clerk.click(cancel.name());
    checkNewMessages();
    if (!summary_.failure.isEmpty()) return summary_.failure;
    // A field may keep the focus with its warning; then the click never reached the button.
    if (voucherForm()->activeControl() != &cancel) return QString();
    QString buttons;
    for (const char* b : {"InsertBtn", "CancelBtn", "SaveBtn", "DeleteBtn", "PrintBtn", "CloseBtn"})
        buttons += voucherForm()->button(QLatin1String(b)).enabled() ? QLatin1Char('+') : QLatin1Char('-');
    if (voucherForm()->formMode() != TfmBrenvik::ModeIdle || buttons != QLatin1String("+----+"))
        return QStringLiteral("a click on Cancel left mode %1 and the buttons %2").arg(voucherForm()->formMode(), buttons);
    return QString();
}

// --- random choices ------------------------------------------------------------------------

int RandomClerk::below(std::size_t n) { return n <= 1 ? 0 : static_cast<int>(random_() % n); }

bool RandomClerk::chance(int percent) { return below(100) < percent; }

QString RandomClerk::someWord() { return words().at(below(words().size())); }

QString RandomClerk::someText() {
    switch (below(10)) {
    case 0:
    case 1: {
        QString digits;
        for (int n = below(9) + 1; n > 0; --n) digits += QChar('0' + below(10));
        return digits;
    }
    case 2: return wordsFor(Field::DebitColumn).at(below(wordsFor(Field::DebitColumn).size()));
    case 3: {
        static const QString pool = QStringLiteral("-.,+ 0123456789eE");
        QString s;
        for (int n = below(5) + 1; n > 0; --n) s += pool.at(below(pool.size()));
        return s;
    }
    case 4: {
        QString letters;
        for (int n = below(6) + 1; n > 0; --n) letters += QChar((chance(50) ? 'a' : 'A') + below(26));
        return letters;
    }
    case 5: {
        QString syllables;  // any Hangul syllable
        for (int n = below(4) + 1; n > 0; --n) syllables += QChar(0xAC00 + below(11172));
        return syllables;
    }
    case 6:
        if (chance(5)) {  // a long summary, sometimes longer than the table keeps
            QString s;
            for (int n = 150 + below(120); n > 0; --n) s += chance(50) ? QChar(0xAC00 + below(11172)) : QChar('a' + below(26));
            return s;
        }
        return someWord() + QLatin1Char(' ') + someWord();
    default: return someWord();
    }
}

QString RandomClerk::someDate() {
    const QString format = QStringLiteral("yyyy-MM-dd");
    switch (below(12)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4: return QDate::currentDate().toString(format);
    case 5:
    case 6: return QStringLiteral("2024-03-05");  // the older sample voucher's date
    case 7:
    case 8: return QDate(2000, 1, 1).addDays(below(365 * 30)).toString(format);
    default: {
        static const QStringList odd = {QStringLiteral("2024-13-01"), QStringLiteral("2024-02-30"), QStringLiteral("24-3-5"),
                                        QStringLiteral("2024-3-5"),   QString(),                    QStringLiteral("20240305"),
                                        QStringLiteral("----------"), QStringLiteral("2024-03-051"), QStringLiteral("2024-0a-05")};
        return odd.at(below(odd.size()));
    }
    }
}

// --- actions -------------------------------------------------------------------------------

// --- plans: what a clerk sets out to do, step by step, with random things in between -----

void RandomClerk::makePlan() {
    const int roll = below(100);
    if (roll < 55) {
        planNewVoucher();
    } else {
        // Something with a stored line: correct its amount, delete it or print its voucher.
        plan_.push_back([this] { pickGridRow(*voucherForm(), false); });
        if (roll < 75) {
            const QString amount = QString::number(100 * (below(500) + 1));
            plan_.push_back([this, amount] {
                int line = 1;
                while (line < fields::LineCount && !voucherForm()->panel(fields::linePanel(line)).enabled()) ++line;
                planField(Side::Debit, Field::DebitColumn, line, amount);
            });
            plan_.push_back([this] { planCommand("SaveBtn", u'S'); });
        } else if (roll < 88) {
            plan_.push_back([this] { planCommand("DeleteBtn", 0); });
        } else {
            plan_.push_back([this] { planCommand("PrintBtn", 0); });
        }
    }
}

// The road of a new voucher of one to three lines: Insert, then per line the debit account
// chosen in its dialog, the amount, the credit account chosen in its dialog; then Save.
void RandomClerk::planNewVoucher() {
    plan_.push_back([this] { planCommand("InsertBtn", u'I'); });
    const int lines = 1 + below(3);
    for (int line = 1; line <= lines; ++line) {
        const QString amount = QString::number(1000 * (below(90) + 1));
        plan_.push_back([this, line] { planField(Side::Debit, Field::Account, line, someWordFor(Field::Account)); });
        plan_.push_back([this] { chooseInShownDialog(); });
        plan_.push_back([this, line, amount] { planField(Side::Debit, Field::DebitColumn, line, amount); });
        plan_.push_back([this, line] { planField(Side::Credit, Field::Account, line, someWordFor(Field::Account)); });
        plan_.push_back([this] { chooseInShownDialog(); });
    }
    plan_.push_back([this] { planCommand("SaveBtn", u'S'); });
}

void RandomClerk::planField(Side side, Field kind, int line, const QString& text) {
    const QString name = fields::name(side, kind, line);
    log("plan: field", QStringLiteral("click %1, type %2, Tab").arg(name, describe(text)));
    tk::Clerk clerk(*voucherForm());
    clerk.switchTo(*voucherForm());
    clerk.click(name);
    clerk.selectAllAndType(text);
    clerk.tab();
}

void RandomClerk::planCommand(const char* button, char16_t accelerator) {
    tk::Clerk clerk(*voucherForm());
    clerk.switchTo(*voucherForm());
    if (accelerator != 0 && chance(50)) {
        log("plan: command", QStringLiteral("Alt+") + QChar(accelerator));
        clerk.alt(QChar(accelerator));
    } else {
        log("plan: command", QStringLiteral("click %1").arg(QLatin1String(button)));
        clerk.click(QLatin1String(button));
    }
}

// A double click on a row of the dialog in front, if one shows.
void RandomClerk::chooseInShownDialog() {
    tk::Form* active = tk::app().activeForm();
    tk::Form* dialog = active && active->visible() && isDialog(*active) ? active : nullptr;
    for (tk::Form* f : visibleForms()) {
        if (!dialog && isDialog(*f)) dialog = f;
    }
    if (!dialog) {
        log("plan: choose", QStringLiteral("no dialog shows"));
        return;
    }
    tk::Clerk(*dialog).switchTo(*dialog);
    const int rows = dialog->grid(QStringLiteral("DBGrid1")).rowCount();
    const int row = below(rows);
    log("plan: choose", QStringLiteral("double click row %1 of %2").arg(row).arg(rows));
    tk::Clerk clerk(*dialog);
    clerk.clickCell(QStringLiteral("DBGrid1"), row);
    clerk.dblClick(QStringLiteral("DBGrid1"));
}

QString RandomClerk::someWordFor(Field kind) { return wordsFor(kind).at(below(wordsFor(kind).size())); }

void RandomClerk::onVoucherForm() {
    TfmBrenvik& form = *voucherForm();
    tk::Clerk clerk(form);
    const int roll = below(100);
    if (roll < 22) {
        // A field of a line, as a clerk fills it: click, type what belongs there, maybe leave.
        static const Field kinds[] = {Field::Account, Field::Account, Field::Customer, Field::Employee, Field::Department,
                                      Field::Project, Field::Summary, Field::Item, Field::DebitColumn, Field::DebitColumn};
        const Field kind = kinds[below(std::size(kinds))];
        const int line = chance(60) ? 1 : below(fields::LineCount) + 1;
        const Side side = kind == Field::DebitColumn || chance(50) ? Side::Debit : Side::Credit;
        const QString name = fields::name(side, kind, line);
        const QString text = chance(85) ? someWordFor(kind) : someText();
        log("fill field", QStringLiteral("click %1, type %2").arg(name, describe(text)));
        clerk.click(name);
        clerk.selectAllAndType(text);
        if (chance(60)) chance(50) ? clerk.tab() : clerk.enter();
    } else if (roll < 38) {
        typeSomething(form);
    } else if (roll < 50) {
        anywhere(form);
    } else if (roll < 62) {
        clickAnyControl(form);
    } else if (roll < 72) {
        pickGridRow(form, chance(15));
    } else if (roll < 84) {
        static const struct {
            const char* button;
            char16_t accelerator;  // 0: none
        } commands[] = {{"SaveBtn", u'S'}, {"SaveBtn", u'S'}, {"DeleteBtn", 0}, {"PrintBtn", 0}, {"CancelBtn", u'C'},
                        {"InsertBtn", u'I'}};
        const auto& c = commands[below(std::size(commands))];
        if (c.accelerator != 0 && chance(50)) {
            log("command", QStringLiteral("Alt+") + QChar(c.accelerator));
            clerk.alt(c.accelerator);
        } else {
            log("command", QStringLiteral("click %1").arg(QLatin1String(c.button)));
            clerk.click(QLatin1String(c.button));
        }
    } else if (roll < 90) {
        changeDate();
    } else if (roll < 96) {
        changeOffice();
    } else if (roll < 99 || chance(70)) {
        // Letters without a button here do nothing; X closes the program.
        static const QString letters = QStringLiteral("ICSPDRAQ");
        const QChar letter = chance(4) ? QLatin1Char('X') : letters.at(below(letters.size()));
        log("alt letter", QStringLiteral("Alt+%1").arg(letter));
        clerk.alt(letter);
    } else if (chance(50)) {
        log("close", QStringLiteral("Alt+F4"));
        clerk.press(tk::vk::F4, tk::ssAlt);
    } else {
        log("close", QStringLiteral("the window's close box"));
        form.userClose();
    }
}

void RandomClerk::inDialog(tk::Form& dialog) {
    tk::Clerk clerk(dialog);
    const int roll = below(100);
    if (roll < 30) {
        pickGridRow(dialog, true);
    } else if (roll < 42) {
        pickGridRow(dialog, false);
    } else if (roll < 56) {
        const QString text = chance(70) ? someWord() : someText();
        log("search", QStringLiteral("click edSearch, type %1").arg(describe(text)));
        clerk.click(QStringLiteral("edSearch"));
        clerk.selectAllAndType(text);
        if (chance(50)) clerk.enter();
    } else if (roll < 64) {
        const bool accelerator = chance(50);
        log("search", accelerator ? QStringLiteral("Alt+R") : QStringLiteral("click SearchBtn"));
        accelerator ? clerk.alt(QLatin1Char('R')) : clerk.click(QStringLiteral("SearchBtn"));
    } else if (roll < 72) {
        const bool accelerator = chance(50);
        log("dialog close", accelerator ? QStringLiteral("Alt+X") : QStringLiteral("click CloseBtn"));
        accelerator ? clerk.alt(QLatin1Char('X')) : clerk.click(QStringLiteral("CloseBtn"));
    } else if (roll < 75) {
        log("dialog close", QStringLiteral("Alt+F4"));
        clerk.press(tk::vk::F4, tk::ssAlt);
    } else if (roll < 80 && dialog.findControl(QStringLiteral("cbCheck"))) {
        const int index = below(dialog.comboBox(QStringLiteral("cbCheck")).items().size());
        log("filter", QStringLiteral("pick entry %1 of cbCheck").arg(index));
        clerk.pick(QStringLiteral("cbCheck"), index);
    } else if (roll < 88) {
        anywhere(dialog);
    } else if (roll < 94) {
        typeSomething(dialog);
    } else {
        clickAnyControl(dialog);
    }
}

void RandomClerk::typeSomething(tk::Form& form) {
    tk::Clerk clerk(form);
    const QString text = someText();
    const bool replace = chance(40);
    log("type", QStringLiteral("%1 %2").arg(replace ? QStringLiteral("select all, type") : QStringLiteral("type"), describe(text)));
    replace ? clerk.selectAllAndType(text) : clerk.type(text);
}

// A key that does something somewhere: moving on, editing, moving in a grid.
void RandomClerk::anywhere(tk::Form& form) {
    static const struct {
        int key;
        tk::ShiftState shift;
    } keys[] = {{tk::vk::Return, tk::ssNone}, {tk::vk::Return, tk::ssNone}, {tk::vk::Tab, tk::ssNone},
                {tk::vk::Tab, tk::ssNone},    {tk::vk::Tab, tk::ssShift},   {tk::vk::Back, tk::ssNone},
                {tk::vk::Up, tk::ssNone},     {tk::vk::Down, tk::ssNone},   {tk::vk::Down, tk::ssNone},
                {tk::vk::Left, tk::ssNone},   {tk::vk::Right, tk::ssNone},  {tk::vk::Prior, tk::ssNone},
                {tk::vk::Next, tk::ssNone},   {tk::vk::Home, tk::ssNone},   {tk::vk::End, tk::ssNone},
                {tk::vk::Escape, tk::ssNone}, {tk::vk::Delete, tk::ssNone}, {tk::vk::Space, tk::ssNone}};
    const auto& k = keys[below(std::size(keys))];
    log("key", keyName(k.key, k.shift));
    tk::Clerk(form).press(k.key, k.shift);
}

void RandomClerk::changeDate() {
    tk::Clerk clerk(*voucherForm());
    const QString date = someDate();
    static const char* const leaveFor[] = {"Tab", "Enter", "edCR_Ac_QelName_01", "DBGrid1", "cbKubun", "InsertBtn", ""};
    const QString leave = QLatin1String(leaveFor[below(std::size(leaveFor))]);
    log("date", QStringLiteral("click edDate, type %1, leave by %2").arg(describe(date), leave.isEmpty() ? QStringLiteral("nothing") : leave));
    clerk.click(QStringLiteral("edDate"));
    clerk.selectAllAndType(date);
    if (leave == QLatin1String("Tab")) {
        clerk.tab();
    } else if (leave == QLatin1String("Enter")) {
        clerk.enter();
    } else if (leave == QLatin1String("DBGrid1")) {
        const int rows = voucherForm()->grid(leave).rowCount();
        clerk.clickCell(leave, below(rows + 1));
    } else if (!leave.isEmpty()) {
        clerk.click(leave);
    }
}

void RandomClerk::changeOffice() {
    tk::Clerk clerk(*voucherForm());
    tk::ComboBox& offices = voucherForm()->comboBox(QStringLiteral("cbKubun"));
    if (chance(80)) {
        const int index = below(offices.items().size());
        log("office", QStringLiteral("pick entry %1 of cbKubun").arg(index));
        clerk.pick(offices.name(), index);
    } else {
        const QString text = chance(50) ? offices.items().value(below(offices.items().size())) : someText();
        log("office", QStringLiteral("click cbKubun, type %1").arg(describe(text)));
        clerk.click(offices.name());
        clerk.selectAllAndType(text);
    }
    if (chance(50)) {
        log("key", QStringLiteral("Tab"));
        clerk.tab();
    }
}

// A click on a row of the form's grid (sometimes below the last row), perhaps a double click.
void RandomClerk::pickGridRow(tk::Form& form, bool doubleClick) {
    tk::Clerk clerk(form);
    const QString grid = QStringLiteral("DBGrid1");
    const int rows = form.grid(grid).rowCount();
    const int row = below(rows + 1);
    log(doubleClick ? "grid double click" : "grid click", QStringLiteral("row %1 of %2").arg(row).arg(rows));
    clerk.clickCell(grid, row);
    if (doubleClick) clerk.dblClick(grid);
}

// Any control of the form, enabled or not; mostly one a clerk would aim at.
void RandomClerk::clickAnyControl(tk::Form& form) {
    std::vector<tk::Control*> all = form.allControls();
    std::vector<tk::Control*> aimed;
    for (tk::Control* c : all) {
        if (c->kind() != tk::ControlKind::Label && c->kind() != tk::ControlKind::Panel && c->canFocus()) aimed.push_back(c);
    }
    const std::vector<tk::Control*>& from = aimed.empty() || chance(25) ? all : aimed;
    tk::Control* target = from[below(from.size())];
    tk::Clerk clerk(form);
    switch (below(6)) {
    case 0:
        log("double click", QStringLiteral("double click %1").arg(target->name()));
        clerk.dblClick(target->name());
        break;
    case 1:
        log("press", QStringLiteral("mouse down on %1, released elsewhere").arg(target->name()));
        clerk.focus(target->name());
        break;
    default:
        log("click", QStringLiteral("click %1").arg(target->name()));
        clerk.click(target->name());
    }
}

void RandomClerk::switchWindow() {
    std::vector<tk::Form*> forms = visibleForms();
    tk::Form* to = forms[below(forms.size())];
    log("window", QStringLiteral("click into %1").arg(to->name()));
    tk::Clerk(*to).switchTo(*to);
}

Outcome runAndCheck(const Program& program, std::uint64_t seed, int actions, std::chrono::seconds timeBound,
                    db::Database& db) {
    Outcome outcome;
    {
        RandomClerk clerk(program, seed);
        outcome.summary = clerk.run(actions, timeBound);
        std::cout << outcome.summary.text() << std::flush;
        if (outcome.summary.failure.isEmpty()) outcome.programAnswer = clerk.programAnswers();
    }
    outcome.storedProblems = storedVoucherProblems(db);
    return outcome;
}

}  // namespace vclerk
