// A report laid out from its description and a row set: page breaks with the page header and
// its child band on every page, one detail band per row, the summary's sums, masks, and the
// description's mistakes named when it loads.
#include "report/Mask.h"
#include "report/Report.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Rows held in memory: the report reads any row set the same way it reads a query.
class Rows : public db::RowSet {
public:
    Rows(QStringList names, std::vector<std::vector<QVariant>> rows) : names_(std::move(names)), rows_(std::move(rows)) {}
    int recordCount() const override { return int(rows_.size()); }
    int fieldCount() const override { return int(names_.size()); }
    QString fieldName(int c) const override { return names_.value(c); }
    int fieldIndex(const QString& f) const override {
        for (int i = 0; i < names_.size(); ++i)
            if (names_[i].compare(f, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    QVariant value(int r, int c) const override { return rows_.at(std::size_t(r)).at(std::size_t(c)); }
    QString text(int r, int c) const override { return value(r, c).toString(); }

private:
    QStringList names_;
    std::vector<std::vector<QVariant>> rows_;
};

report::Report load(const char* json) {
    return report::Report::fromJson(QJsonDocument::fromJson(QByteArray(json)).object());
}

// A4 landscape leaves 190 mm between the margins: headers of 30 mm and rows of 50 mm put
// three rows on a page.
const char* const kLedger = R"json({
  "name": "Ledger", "dataSet": "Rows",
  "page": { "paper": "A4", "orientation": "landscape" },
  "bands": [
    { "name": "Head", "type": "pageHeader", "height": 20, "items": [
      { "name": "Title", "type": "label", "text": "장부", "left": 100, "top": 2, "font": { "size": 20, "bold": true } } ]},
    { "name": "Captions", "type": "child", "parent": "Head", "height": 10, "frame": ["top", "bottom"], "items": [] },
    { "name": "Row", "type": "detail", "height": 50, "frame": ["left", "right"], "items": [
      { "name": "Name", "type": "field", "field": "name", "left": 0.5, "right": 39.5, "top": 1, "align": "center" },
      { "name": "Amount", "type": "field", "field": "amount", "mask": "#,###", "right": 270, "top": 1, "align": "right" },
      { "name": "Rule", "type": "line", "left": 40, "top": -0.3, "length": 50 } ]},
    { "name": "Total", "type": "summary", "height": 20, "items": [
      { "name": "Sum", "type": "sum", "expression": "SUM(Rows.amount)", "mask": "#,###", "right": 270, "top": 1, "align": "right" } ]}
  ]})json";

Rows ledgerRows(int count) {
    std::vector<std::vector<QVariant>> rows;
    for (int i = 0; i < count; ++i) rows.push_back({QStringLiteral("행 %1").arg(i), QVariant(1000.0 * (i + 1))});
    rows.push_back({QStringLiteral("빈 행"), QVariant(0.0)});
    return Rows({QStringLiteral("name"), QStringLiteral("amount")}, std::move(rows));
}

QStringList bandNames(const report::FilledPage& page) {
    QStringList names;
    for (const report::PlacedBand& b : page.bands) names << (b.row >= 0 ? QStringLiteral("%1%2").arg(b.name).arg(b.row) : b.name);
    return names;
}

TEST(Report, BreaksPagesWithTheHeadersOnEachAndTheSummaryLast) {
    report::Report ledger = load(kLedger);
    const Rows rows = ledgerRows(6);  // and a seventh row of 0
    ledger.setDataSet(&rows);
    const report::FilledReport filled = ledger.fill();
    ASSERT_EQ(filled.pages.size(), 3u);
    EXPECT_EQ(bandNames(filled.pages[0]), QStringList({"Head", "Captions", "Row0", "Row1", "Row2"}));
    EXPECT_EQ(bandNames(filled.pages[1]), QStringList({"Head", "Captions", "Row3", "Row4", "Row5"}));
    EXPECT_EQ(bandNames(filled.pages[2]), QStringList({"Head", "Captions", "Row6", "Total"}));
    // Bands stack from the top margin; places are millimetres from the paper's corner.
    const report::PlacedBand& third = filled.pages[0].bands[4];
    EXPECT_EQ(third.rect, QRectF(10, 10 + 30 + 100, 277, 50));
    EXPECT_EQ(third.lines.front().line, QLineF(50, 139.7, 50, 189.7));
    EXPECT_DOUBLE_EQ(*third.texts[1].right, 280);
}

TEST(Report, FieldsShowTheirRowMaskedAndTheSumRunsOverEveryRow) {
    report::Report ledger = load(kLedger);
    const Rows rows = ledgerRows(6);
    ledger.setDataSet(&rows);
    const report::FilledReport filled = ledger.fill();
    const auto details = filled.bands(QStringLiteral("Row"));
    ASSERT_EQ(details.size(), 7u);
    EXPECT_EQ(details[1]->text(QStringLiteral("Name")), QStringLiteral("행 1"));
    EXPECT_EQ(details[5]->text(QStringLiteral("Amount")), QStringLiteral("6,000"));
    EXPECT_EQ(details[6]->text(QStringLiteral("Amount")), QString());
    EXPECT_EQ(filled.bands(QStringLiteral("Total")).front()->text(QStringLiteral("Sum")), QStringLiteral("21,000"));
}

TEST(Report, WithoutRowsPrintsHeadersAndAnEmptySum) {
    report::Report ledger = load(kLedger);
    const Rows none({QStringLiteral("name"), QStringLiteral("amount")}, {});
    ledger.setDataSet(&none);
    const report::FilledReport filled = ledger.fill();
    ASSERT_EQ(filled.pages.size(), 1u);
    EXPECT_EQ(bandNames(filled.pages[0]), QStringList({"Head", "Captions", "Total"}));
    EXPECT_EQ(filled.pages[0].bands[2].text(QStringLiteral("Sum")), QString());
}

TEST(Report, AFieldTheRowsLackIsNamed) {
    report::Report ledger = load(kLedger);
    const Rows other({QStringLiteral("name")}, {{QStringLiteral("x")}});
    ledger.setDataSet(&other);
    try {
        ledger.fill();
        FAIL() << "filled without the field amount";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("\"amount\""), std::string::npos) << e.what();
    }
}

struct MaskCase {
    const char* mask;
    double value;
    const char* text;
};

class Masks : public testing::TestWithParam<MaskCase> {};

TEST_P(Masks, FormatTheNumber) {
    EXPECT_EQ(report::formatNumber(QString::fromLatin1(GetParam().mask), GetParam().value), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Report, Masks,
                         testing::Values(MaskCase{"#,###", 0, ""}, MaskCase{"#,###", 0.4, ""},
                                         MaskCase{"#,###", 1500000, "1,500,000"}, MaskCase{"#,###", 999.5, "1,000"},
                                         MaskCase{"#,###", -1500, "-1,500"}, MaskCase{"#,##0", 0, "0"},
                                         MaskCase{"000", 7, "007"}));

struct BadDescription {
    const char* name;
    const char* band;   // one band of an otherwise sound report
    const char* named;  // what the message names
};

class BadDescriptions : public testing::TestWithParam<BadDescription> {};

TEST_P(BadDescriptions, AreRefusedNamingTheFault) {
    const QByteArray json = QByteArray(R"json({"name": "R", "dataSet": "Rows", "bands": [)json") + GetParam().band + "]}";
    try {
        report::Report::fromJson(QJsonDocument::fromJson(json).object());
        FAIL() << "loaded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().named), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Report, BadDescriptions,
    testing::Values(
        BadDescription{"UnknownBandType", R"json({"name": "B", "type": "footer", "height": 5})json", "\"footer\""},
        BadDescription{"ChildWithoutParent", R"json({"name": "C", "type": "child", "parent": "Head", "height": 5})json", "\"Head\""},
        BadDescription{"CentredWithOneEdge",
                       R"json({"name": "B", "type": "detail", "height": 5, "items": [
                            {"name": "F", "type": "field", "field": "a", "left": 1, "top": 0, "align": "center"}]})json",
                       "F lacks"},
        BadDescription{"SumOfAnotherDataSet",
                       R"json({"name": "B", "type": "summary", "height": 5, "items": [
                            {"name": "S", "type": "sum", "expression": "SUM(Other.a)", "right": 9, "top": 0, "align": "right"}]})json",
                       "\"Other\""},
        BadDescription{"NoSum",
                       R"json({"name": "B", "type": "summary", "height": 5, "items": [
                            {"name": "S", "type": "sum", "expression": "AVG(a)", "right": 9, "top": 0, "align": "right"}]})json",
                       "\"AVG(a)\""},
        BadDescription{"UnknownMask",
                       R"json({"name": "B", "type": "detail", "height": 5, "items": [
                            {"name": "F", "type": "field", "field": "a", "mask": "#.##", "left": 1, "top": 0}]})json",
                       "\"#.##\""},
        BadDescription{"TwoItemsOfOneName",
                       R"json({"name": "B", "type": "detail", "height": 5, "items": [
                            {"name": "F", "type": "label", "left": 1, "top": 0}, {"name": "F", "type": "label", "left": 2, "top": 0}]})json",
                       "two things named F"}),
    [](const testing::TestParamInfo<BadDescription>& param) { return std::string(param.param.name); });

}  // namespace
