// The printed two-line voucher as a PDF, drawn by the painter of the preview and the printer,
// read back with pdftotext: its words and where they stand. The PDF stays in print-output/.

#include "report/qt/Painter.h"
#include "tests/voucher/PrintFixture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

using vtest::row;
using vtest::today;

namespace {

struct Word {
    QString text;
    double left, top, right;  // millimetres from the paper's top left corner
};

std::vector<Word> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) ADD_FAILURE() << "pdftotext failed on " << pdf.toStdString();
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    const double mm = 25.4 / 72;
    std::vector<Word> words;
    for (auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({m.captured(4), m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm, m.captured(3).toDouble() * mm});
    }
    return words;
}

using PrintPdf = vtest::PrintTest;

TEST_P(PrintPdf, TheVoucherPrintsItsCaptionsRowsAndSumsInTheirColumns) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    storeLine(db(), row(today(), "00000", "00000001", "02"), 250000);
    start();
    choose("00000001", "01");
    clerk().click("PrintBtn");
    ASSERT_EQ(previews().shown.size(), 1u);
    QDir().mkpath(QStringLiteral("print-output"));
    const QString pdf = QStringLiteral("print-output/voucher-%1.pdf").arg(QString::fromStdString(test::engineName({GetParam(), 0})));
    ASSERT_TRUE(rptqt::writePdf(previews().shown[0], pdf));
    const std::vector<Word> words = pdfWords(pdf);

    // The words of each line, left to right, without blanks: pdftotext only guesses them.
    std::map<int, std::map<double, QString>> byLine;
    for (const Word& w : words) byLine[qRound(w.top * 10)][w.left] = w.text;
    QStringList lines;
    for (const auto& line : byLine) {
        lines << QString();
        for (const auto& w : line.second) lines.last() += w.second;
    }
    for (const QString& expected :
         {QStringLiteral("대체전표"), QStringLiteral("구분:본사/서울중구"), QStringLiteral("기준일자:") + today(),
          QStringLiteral("전표번호:") + today() + "-00000001", QStringLiteral("계정과목이름적요기재사항"),
          QStringLiteral("계정과목코드부서이름코드거래처및은행이름코드차변금액대변금액"), QStringLiteral("계정01/01적요01/01"),
          QStringLiteral("AC0101부서01/01BU0101거래처01/01KB0101"), QStringLiteral("사원01/02SW0102프로젝트01/02PJ0102항목01/02IT0102"),
          QStringLiteral("합계")})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString() << " not in:\n" << lines.join('\n').toStdString();

    // Amounts end at the right edge of their column: debit 244.4 mm, credit 285.7 mm from the
    // paper's edge; the sums at 244.2 mm and 285.7 mm. The title starts at 125.6 mm.
    const auto rightEdges = [&](const char* text) {
        std::vector<int> edges;
        for (const Word& w : words)
            if (w.text == QLatin1String(text)) edges.push_back(qRound(w.right * 10));
        std::sort(edges.begin(), edges.end());
        return edges;
    };
    EXPECT_EQ(rightEdges("1,500,000"), (std::vector<int>{2444, 2857}));
    EXPECT_EQ(rightEdges("250,000"), (std::vector<int>{2444, 2857}));
    EXPECT_EQ(rightEdges("1,750,000"), (std::vector<int>{2442, 2857}));
    const auto title = std::find_if(words.begin(), words.end(), [](const Word& w) { return w.top < 20; });
    ASSERT_NE(title, words.end());
    EXPECT_EQ(title->text.left(1), QStringLiteral("대"));
    EXPECT_NEAR(title->left, 125.6, 0.3);
}

// A summary of 200 characters ends at its column's rule instead of running over the amounts.
TEST_P(PrintPdf, ALongSummaryIsCutAtItsColumn) {
    vtest::Row line = row(today(), "00000", "00000001", "01");
    line.text = QString(200, QChar(0xAC00));
    storeLine(db(), line, 1500000);
    start();
    choose("00000001", "01");
    clerk().click("PrintBtn");
    ASSERT_EQ(previews().shown.size(), 1u);
    const double pixelsPerMm = 4;
    const report::FilledReport& printed = previews().shown[0];
    QImage page(qRound(printed.page.width * pixelsPerMm), qRound(printed.page.height * pixelsPerMm), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    rptqt::paintPage(painter, printed.pages[0], pixelsPerMm);
    painter.end();
    // The summary's line of the first row, from the text column's rule on: only the amount rules.
    const QRectF first = printed.bands(QStringLiteral("QRBand2"))[0]->rect;
    int ink = 0;
    for (int y = qRound((first.top() + 0.8) * pixelsPerMm); y < qRound((first.top() + 3.5) * pixelsPerMm); ++y)
        for (int x = qRound(203.6 * pixelsPerMm); x < qRound(244.8 * pixelsPerMm); ++x) ink += page.pixelColor(x, y).lightness() < 128;
    EXPECT_EQ(ink, 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, PrintPdf, test::allEngines, test::engineName);

}  // namespace
