// A clerk's program in a process of its own: the voucher form, headless, on the given
// database, saving vouchers of one to four lines for one base date and office as fast as it
// can, through the form's own Save. The program is an argument by its entry form: "A003"
// Brenvik's forms, "A004" Sattrel's. Every line's summary holds the voucher's number of lines, so a reader can
// tell a voucher with a missing line.
//
//   voucher_save_client <A003|A004> <office index> <base date> <vouchers, 0: until killed> <database...>
//   (database: sqlite <file> | postgresql <connection string> <schema>)

#include "tests/support/Engines.h"
#include "tests/support/Clerk.h"
#include "toolkit/Application.h"
#include "programs/BrenvikForms.h"
#include "programs/SattrelForms.h"
#include "variant/Qel_Unit6.h"
#include "voucher/Qel_Unit3.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

namespace {

// What the dialogs and the clerk leave in the form: lines 1 to `count` with both accounts
// chosen and an amount, then the mode a new voucher is typed in.
void typeVoucher(TfmBrenvik& form, int count) {
    using fields::Field;
    using fields::Side;
    for (int line = 1; line <= count; ++line) {
        for (Side side : {Side::Debit, Side::Credit}) {
            tk::Edit& account = form.edit(fields::name(side, Field::Account, line));
            account.setText(side == Side::Debit ? QStringLiteral("현금") : QStringLiteral("보통예금"));
            account.setHint(side == Side::Debit ? QStringLiteral("10101001000") : QStringLiteral("10101003000"));
            form.edit(fields::name(side, Field::Summary, line)).setText(QString::number(count));
        }
        form.edit(fields::name(Side::Debit, Field::DebitColumn, line)).setText(QString::number(line * 1000));
        form.edit(fields::name(Side::Credit, Field::CreditColumn, line)).setText(QString::number(line * 1000));
    }
    form.setFormMode(TfmBrenvik::ModeNewVoucher);
    form.pEnabledBtn();
}

// The one refusal a clerk answers by saving again: another writer held the table too long.
bool waitedTooLong(const tk::RecordingMessageService& messages) {
    return messages.log().size() == 1 &&
           messages.log()[0].text.contains(QStringLiteral("다른 사용자가 저장하고 있어 기다렸으나 끝나지 않았습니다."));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    if (args.size() < 6) {
        std::fprintf(stderr, "usage: voucher_save_client <A003|A004> <office> <date> <vouchers> <database...>\n");
        return 2;
    }
    try {
        db::Database::adopt(QStringLiteral("Account"), test::openClientDatabase(args.mid(4)));
        tk::app().initialize(QStringLiteral("Brenvik"));
        // Brenvik's forms write "A003", Sattrel's "A004".
        TfmBrenvik& form = args[0] == QLatin1String("A004") ? static_cast<TfmBrenvik&>(createSattrelForms())
                                                             : createBrenvikForms();
        tk::app().run();
        form.comboBox(QStringLiteral("cbKubun")).setItemIndex(args[1].toInt());
        form.edit(QStringLiteral("edDate")).setText(args[2]);
        tk::Clerk clerk(form);
        auto& messages = dynamic_cast<tk::RecordingMessageService&>(tk::app().messages());
        const int vouchers = args[3].toInt();
        for (int n = 0; vouchers == 0 || n < vouchers; ++n) {
            typeVoucher(form, 1 + QRandomGenerator::global()->bounded(4));
            clerk.alt(QLatin1Char('S'));
            // SQLite's lock is not fair: under load a writer can wait out its time while the
            // others save. The clerk is told so, the lines stay, and Save is pressed again.
            for (int again = 0; again < 10 && waitedTooLong(messages); ++again) {
                messages.clear();
                clerk.alt(QLatin1Char('S'));
            }
            if (!messages.log().empty() || form.formMode() != TfmBrenvik::ModeIdle) {
                std::fprintf(stderr, "voucher %d not saved: %s\n", n + 1,
                             qPrintable(messages.texts().join(QStringLiteral(" | "))));
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    tk::app().reset();
    db::Database::closeAll();
    return 0;
}
