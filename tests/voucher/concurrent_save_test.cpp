// Clerks of two offices and both programs saving for one base date at once, in processes of
// their own, and a clerk's program killed in the middle of its saves.

#include "tests/voucher/VoucherFormFixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

const QString kDate = QStringLiteral("2001-05-30");

class ConcurrentSaves : public vtest::VoucherFormTest {
protected:
    std::unique_ptr<QProcess> client(const QString& formKubun, int office, int vouchers) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(QStringLiteral(SAVE_CLIENT),
                 QStringList{formKubun, QString::number(office), kDate, QString::number(vouchers)} + database().clientArguments());
        EXPECT_TRUE(p->waitForStarted());
        return p;
    }
    static void expectSucceeds(QProcess& p) {
        ASSERT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
    }

    // Voucher numbers in order, and what is wrong with any voucher: more than one office or
    // entry form, a line without its two rows, fewer or more lines than its summary says.
    struct Stored {
        QStringList numbers, faults;
    };
    Stored stored() {
        db::Query q(db());
        q.setSql({QStringLiteral("select Serial_Qel, Serial_Bun, Serial_CrDr, Kubun_Bon, Form_Kubun, Ac_Text"),
                  QStringLiteral("from Account_Qel_AA order by Serial_Qel")});
        q.open();
        std::map<QString, std::set<QString>> owners, lineCounts;
        std::map<QString, std::map<QString, QStringList>> sides;
        for (; !q.eof(); q.next()) {
            const QString voucher = q.fieldText("Serial_Qel");
            owners[voucher].insert(q.fieldText("Kubun_Bon") + q.fieldText("Form_Kubun"));
            lineCounts[voucher].insert(q.fieldText("Ac_Text"));
            sides[voucher][q.fieldText("Serial_Bun")] << q.fieldText("Serial_CrDr");
        }
        Stored s;
        for (auto& [voucher, lines] : sides) {
            s.numbers << voucher.mid(11);
            if (owners[voucher].size() != 1) s.faults << voucher + " has several owners";
            if (lineCounts[voucher] != std::set<QString>{QString::number(lines.size())}) s.faults << voucher + " lacks a line";
            for (auto& [line, rowSides] : lines) {
                rowSides.sort();
                if (rowSides != QStringList({"01", "02"})) s.faults << voucher + "/" + line + ": " + rowSides.join(',');
            }
        }
        return s;
    }
    int rowCount() {
        db::Query q(db());
        q.setSql({QStringLiteral("select count(*) as n from Account_Qel_AA")});
        q.open();
        return q.fieldInt("n");
    }
    static QStringList counters(int from, int to) {
        QStringList out;
        for (int n = from; n <= to; ++n) out << QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0'));
        return out;
    }
};

TEST_P(ConcurrentSaves, FourClientsOfTwoOfficesAndBothProgramsNumberEveryVoucherOnce) {
    std::vector<std::unique_ptr<QProcess>> clients;
    for (const QString& kind : {QStringLiteral("A003"), QStringLiteral("A004")})
        for (int office : {0, 1}) clients.push_back(client(kind, office, 50));
    for (auto& c : clients) expectSucceeds(*c);

    const Stored s = stored();
    EXPECT_EQ(s.faults, QStringList());
    EXPECT_EQ(s.numbers, counters(1, 200));
}

TEST_P(ConcurrentSaves, AClientKilledInTheMiddleOfItsSavesLeavesNoHalfVoucher) {
    for (int kill = 0; kill < 10; ++kill) {
        const int before = rowCount();
        std::unique_ptr<QProcess> p = client(QStringLiteral("A003"), kill % 2, 0);
        // Killed at a random moment once it is saving.
        for (int waited = 0; rowCount() == before && waited < 30000; waited += 10) QThread::msleep(10);
        QThread::msleep(QRandomGenerator::global()->bounded(100));
        p->kill();
        ASSERT_TRUE(p->waitForFinished(10000));
        EXPECT_EQ(p->exitStatus(), QProcess::CrashExit) << "the client ended before it was killed";
    }
    const int saved = int(stored().numbers.size());
    EXPECT_GT(saved, 0);

    std::unique_ptr<QProcess> again = client(QStringLiteral("A004"), 1, 3);
    expectSucceeds(*again);
    const Stored s = stored();
    EXPECT_EQ(s.faults, QStringList());
    EXPECT_EQ(s.numbers, counters(1, saved + 3));
}

INSTANTIATE_TEST_SUITE_P(Engines, ConcurrentSaves, test::allEngines, test::engineName);

}  // namespace
