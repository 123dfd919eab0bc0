// A report laid out from its description and a row set: pages with the page header and its
// child band on each, one detail band per row, the summary's sum, masks, and a description's
// mistakes named when it loads.
#include "report/Mask.h"
#include "report/Report.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Rows held in memory: the report reads any row set as it reads a query.
class Rows : public db::RowSet {
public:
    explicit Rows(int count) {
        for (int i = 0; i < count; ++i) rows_.push_back({QStringLiteral("행 %1").arg(i), 1000.0 * (i + 1)});
    }
    int recordCount() const override { return int(rows_.size()); }
    int fieldCount() const override { return 2; }
    QString fieldName(int c) const override { return c == 0 ? QStringLiteral("name") : QStringLiteral("amount"); }
    int fieldIndex(const QString& f) const override { return f == QLatin1String("name") ? 0 : f == QLatin1String("amount") ? 1 : -1; }
    QVariant value(int r, int c) const override { return rows_.at(std::size_t(r)).at(std::size_t(c)); }
    QString text(int r, int c) const override { return value(r, c).toString(); }

private:
    std::vector<std::vector<QVariant>> rows_;
};

report::Report load(const QByteArray& json) { return report::Report::fromJson(QJsonDocument::fromJson(json).object()); }

// A4 landscape leaves 190 mm between the margins: headers of 30 mm and rows of 50 mm put
// three rows on a page.
const char* const kLedger = R"json({"name": "Ledger", "dataSet": "Rows", "page": {"orientation": "landscape"}, "bands": [
  {"name": "Head", "type": "pageHeader", "height": 20, "items": [{"name": "Title", "type": "label", "text": "장부", "left": 100, "top": 2}]},
  {"name": "Captions", "type": "child", "parent": "Head", "height": 10, "frame": ["top", "bottom"]},
  {"name": "Row", "type": "detail", "height": 50, "items": [
    {"name": "Name", "type": "field", "field": "name", "left": 0.5, "right": 39.5, "top": 1, "align": "center"},
    {"name": "Amount", "type": "field", "field": "amount", "mask": "#,###", "right": 270, "top": 1, "align": "right"},
    {"name": "Rule", "type": "line", "left": 40, "top": -0.3, "length": 50}]},
  {"name": "Total", "type": "summary", "height": 20, "items": [
    {"name": "Sum", "type": "sum", "expression": "SUM(Rows.amount)", "mask": "#,###", "right": 270, "top": 1, "align": "right"}]}]})json";

TEST(Report, BreaksPagesUnderTheHeadersAndSumsEveryRowAtTheEnd) {
    report::Report ledger = load(kLedger);
    const Rows rows(7);
    ledger.setDataSet(&rows);
    const report::FilledReport filled = ledger.fill();
    std::vector<QStringList> pages;
    for (const report::FilledPage& page : filled.pages) {
        QStringList names;
        for (const report::PlacedBand& b : page.bands) names << b.name + (b.row >= 0 ? QString::number(b.row) : QString());
        pages.push_back(names);
    }
    EXPECT_EQ(pages, (std::vector<QStringList>{{"Head", "Captions", "Row0", "Row1", "Row2"},
                                               {"Head", "Captions", "Row3", "Row4", "Row5"},
                                               {"Head", "Captions", "Row6", "Total"}}));
    // Places are millimetres from the paper's corner.
    const report::PlacedBand& third = filled.pages[0].bands[4];
    EXPECT_EQ(third.rect, QRectF(10, 140, 277, 50));
    EXPECT_EQ(third.lines.front().line, QLineF(50, 139.7, 50, 189.7));
    EXPECT_EQ(third.text(QStringLiteral("Name")), QStringLiteral("행 2"));
    EXPECT_EQ(third.text(QStringLiteral("Amount")), QStringLiteral("3,000"));
    EXPECT_EQ(filled.bands(QStringLiteral("Total")).front()->text(QStringLiteral("Sum")), QStringLiteral("28,000"));
}

struct MaskCase {
    double value;
    const char* text;
};
class Masks : public testing::TestWithParam<MaskCase> {};
TEST_P(Masks, GroupThousandsAndPrintZeroAsNothing) {
    EXPECT_EQ(report::formatNumber(QStringLiteral("#,###"), GetParam().value), QString::fromLatin1(GetParam().text));
}
INSTANTIATE_TEST_SUITE_P(Report, Masks,
                         testing::Values(MaskCase{0, ""}, MaskCase{0.4, ""}, MaskCase{999.5, "1,000"}, MaskCase{-1500, "-1,500"}));

struct BadBand {
    const char* band;   // the one band of a report
    const char* named;  // what the message names
};
class BadDescriptions : public testing::TestWithParam<BadBand> {};
TEST_P(BadDescriptions, AreRefusedNamingTheFault) {
    try {
        load(QByteArray(R"json({"dataSet": "Rows", "bands": [)json") + GetParam().band + "]}");
        FAIL() << "loaded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().named), std::string::npos) << e.what();
    }
}
INSTANTIATE_TEST_SUITE_P(
    Report, BadDescriptions,
    testing::Values(BadBand{R"json({"name": "B", "type": "footer", "height": 5})json", "\"footer\""},
                    BadBand{R"json({"name": "C", "type": "child", "parent": "Head", "height": 5})json", "\"Head\""},
                    BadBand{R"json({"name": "B", "type": "detail", "height": 5, "items": [
                              {"name": "F", "type": "field", "field": "a", "left": 1, "top": 0, "align": "center"}]})json", "F lacks"},
                    BadBand{R"json({"name": "B", "type": "summary", "height": 5, "items": [
                              {"name": "S", "type": "sum", "expression": "SUM(Other.a)", "right": 9, "top": 0, "align": "right"}]})json",
                            "\"Other\""}));

}  // namespace
