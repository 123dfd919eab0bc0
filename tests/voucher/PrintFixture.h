#pragma once
// Printing from the voucher form, headless: the blank rows of a printed voucher are stored,
// and the preview service keeps every filled report the form asks to preview.

#include "report/Preview.h"
#include "tests/voucher/VoucherFormFixture.h"
#include "voucher/QrQel_Unit3.h"

#include <gtest/gtest.h>
#include <vector>

namespace vtest {

// The ten blank rows "01" to "10" a printed voucher is filled up with.
inline void storeBlankRows(db::Database& db) {
    db::Query q(db);
    q.setSql({QStringLiteral("insert into Qel_Print (Tot) values (:tbTot)")});
    for (int n = 1; n <= 10; ++n) {
        q.setParamText(QStringLiteral("tbTot"), QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
        q.execSql();
    }
}

// Keeps each previewed report and the voucher number the form showed while it was open.
class PreviewProbe : public report::PreviewService {
public:
    void preview(const report::FilledReport& r) override {
        shown.push_back(r);
        serialWhileOpen << (fmBrenvik ? fmBrenvik->edit(QStringLiteral("edSerial")).text() : QString());
    }
    std::vector<report::FilledReport> shown;
    QStringList serialWhileOpen;
};

inline PreviewProbe& installPreviewProbe() {
    return static_cast<PreviewProbe&>(report::setPreviewService(std::make_unique<PreviewProbe>()));
}

// The ten field texts of each printed row: account name, account code, employee, summary,
// department, project, customer, item, debit amount, credit amount.
inline std::vector<QStringList> printedRows(const report::FilledReport& r) {
    std::vector<QStringList> rows;
    for (const report::PlacedBand* b : r.bands(QStringLiteral("QRBand2"))) {
        QStringList texts;
        for (int n = 1; n <= 10; ++n) texts << b->text(QStringLiteral("QRDBText%1").arg(n));
        rows.push_back(texts);
    }
    return rows;
}

// A text of the page header or the summary of the first page.
inline QString printedText(const report::FilledReport& r, const char* band, const char* item) {
    return r.bands(QLatin1String(band)).at(0)->text(QLatin1String(item));
}

class PrintTest : public VoucherFormTest {
protected:
    void SetUp() override {
        VoucherFormTest::SetUp();
        storeBlankRows(db());
        previews_ = &installPreviewProbe();
    }
    void TearDown() override {
        VoucherFormTest::TearDown();
        report::setPreviewService(nullptr);
    }

    // Clicks the grid row of today's voucher with this counter and line.
    void choose(const QString& counter, const QString& line) {
        const int r = int(gridKeys().indexOf(today() + QLatin1Char('-') + counter + line));
        ASSERT_GE(r, 0) << counter.toStdString() << "/" << line.toStdString();
        clerk().clickCell(QStringLiteral("DBGrid1"), r);
    }

    PreviewProbe& previews() { return *previews_; }

private:
    PreviewProbe* previews_ = nullptr;
};

}  // namespace vtest
