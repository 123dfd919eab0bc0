// The printed voucher of a two-line voucher as a PDF, drawn by the painter the preview and the
// printer use, read back with pdftotext: the words and where they stand on the page. The PDF
// stays in print-output/ of the working folder to be looked at.

#include "report/qt/Painter.h"
#include "tests/voucher/PrintFixture.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

using vtest::row;
using vtest::today;

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

struct Word {
    QString text;
    double left, top, right;  // millimetres from the paper's top left corner
};

// The words of the first page as pdftotext finds them.
std::vector<Word> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                         QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    std::vector<Word> words;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back(Word{m.captured(4), m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint,
                             m.captured(3).toDouble() * kMmPerPoint});
    }
    return words;
}

// Lines of words, top to bottom, each its words joined by one blank from left to right.
QStringList lines(const std::vector<Word>& words) {
    std::map<int, std::map<double, QString>> byLine;  // tenths of a millimetre from the top
    for (const Word& w : words) byLine[qRound(w.top * 10)][w.left] = w.text;
    QStringList out;
    for (const auto& [top, line] : byLine) {
        QStringList texts;
        for (const auto& [left, text] : line) texts << text;
        out << texts.join(QLatin1Char(' '));
    }
    return out;
}

// The right edges (mm) of every word with this text.
std::vector<double> rightEdges(const std::vector<Word>& words, const QString& text) {
    std::vector<double> edges;
    for (const Word& w : words)
        if (w.text == text) edges.push_back(w.right);
    return edges;
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
    const QString pdf = QStringLiteral("print-output/voucher-%1.pdf")
                            .arg(GetParam() == test::Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL"));
    ASSERT_TRUE(rptqt::writePdf(previews().shown[0], pdf));
    const std::vector<Word> words = pdfWords(pdf);
    const QStringList text = lines(words);

    // pdftotext guesses blanks from the gaps between words; the lines are compared without them.
    QStringList solid;
    for (const QString& line : text) solid << QString(line).remove(QLatin1Char(' '));
    for (const QString& expected :
         {QStringLiteral("대체전표"), QStringLiteral("구분:본사/서울중구"), QStringLiteral("기준일자:") + today(),
          QStringLiteral("전표번호:") + today() + "-00000001", QStringLiteral("계정과목이름적요기재사항"),
          QStringLiteral("계정과목코드부서이름코드거래처및은행이름코드차변금액대변금액"),
          QStringLiteral("사원이름코드프로젝트이름코드관리항목이름코드"), QStringLiteral("계정01/01적요01/01"),
          QStringLiteral("AC0101부서01/01BU0101거래처01/01KB0101"), QStringLiteral("사원01/02SW0102프로젝트01/02PJ0102항목01/02IT0102"),
          QStringLiteral("합계")})
        EXPECT_TRUE(solid.contains(expected)) << expected.toStdString() << "\nin:\n" << text.join('\n').toStdString();

    // Amounts end at the right edges of their columns: debit 244.4 mm, credit 285.7 mm from
    // the paper's edge; the sums at 244.2 mm and 285.7 mm.
    const auto near = [](std::vector<double> edges, std::vector<double> expected) {
        if (edges.size() != expected.size()) return false;
        std::sort(edges.begin(), edges.end());
        for (std::size_t i = 0; i < edges.size(); ++i)
            if (std::abs(edges[i] - expected[i]) > 0.5) return false;
        return true;
    };
    EXPECT_TRUE(near(rightEdges(words, QStringLiteral("1,500,000")), {244.4, 285.7}));
    EXPECT_TRUE(near(rightEdges(words, QStringLiteral("250,000")), {244.4, 285.7}));
    EXPECT_TRUE(near(rightEdges(words, QStringLiteral("1,750,000")), {244.2, 285.7}));
    // The title starts where the layout puts it: 115.6 mm into the band, 10 mm margin.
    const auto title = std::find_if(words.begin(), words.end(),
                                    [](const Word& w) { return w.text.startsWith(QStringLiteral("대")) && w.top < 20; });
    ASSERT_NE(title, words.end());
    EXPECT_NEAR(title->left, 125.6, 0.5);
}

INSTANTIATE_TEST_SUITE_P(Engines, PrintPdf, test::allEngines, test::engineName);

}  // namespace
