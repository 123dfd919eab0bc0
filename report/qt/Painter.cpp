#include "report/qt/Painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace rptqt {

namespace {

constexpr const char* kKoreanFallbackFamily = "NanumGothic";
constexpr double kRuleWidthMm = 0.2;
constexpr double kMmPerPoint = 25.4 / 72.0;
// Wide enough for any text of an item with one edge.
constexpr double kOpenWidth = 1000.0 * kUnitsPerMm;

QRectF textBox(const report::PlacedText& t, double height) {
    const double top = t.top * kUnitsPerMm;
    if (t.left && t.right) return QRectF(*t.left * kUnitsPerMm, top, (*t.right - *t.left) * kUnitsPerMm, height);
    if (t.left) return QRectF(*t.left * kUnitsPerMm, top, kOpenWidth, height);
    return QRectF(*t.right * kUnitsPerMm - kOpenWidth, top, kOpenWidth, height);
}

Qt::Alignment horizontal(report::Align a) {
    switch (a) {
    case report::Align::Left: return Qt::AlignLeft;
    case report::Align::Center: return Qt::AlignHCenter;
    case report::Align::Right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

void drawText(QPainter& p, const report::PlacedText& t) {
    if (t.text.isEmpty()) return;
    const QFont font = toQFont(t.font);
    p.setFont(font);
    const QRectF box = textBox(t, QFontMetricsF(font).height());
    // An item with both edges is cut at its box, as a fixed-size field is.
    const int clip = t.left && t.right ? 0 : int(Qt::TextDontClip);
    p.drawText(box, int(horizontal(t.align) | Qt::AlignTop) | Qt::TextSingleLine | clip, t.text);
}

}  // namespace

void installFontSubstitutes() {
    const QString gulim = QStringLiteral("굴림");
    if (QFontDatabase::families().contains(gulim)) return;
    if (!QFont::substitutes(gulim).contains(QLatin1String(kKoreanFallbackFamily)))
        QFont::insertSubstitution(gulim, QLatin1String(kKoreanFallbackFamily));
}

QFont toQFont(const report::Font& font) {
    QFont f(font.family);
    f.setPixelSize(std::max(1, qRound(font.pointSize * kMmPerPoint * kUnitsPerMm)));
    f.setBold(font.bold);
    // The same glyph widths on the screen, the printer and in a PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QPageLayout pageLayout(const report::PageSetup& page) {
    const QPageSize size(QSizeF(std::min(page.width, page.height), std::max(page.width, page.height)),
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

void paintPage(QPainter& p, const report::FilledPage& page, double pixelsPerMm) {
    installFontSubstitutes();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(pixelsPerMm / kUnitsPerMm, pixelsPerMm / kUnitsPerMm);
    QPen rule(Qt::black);
    rule.setWidthF(kRuleWidthMm * kUnitsPerMm);
    rule.setCapStyle(Qt::SquareCap);
    p.setPen(rule);
    for (const report::PlacedBand& band : page.bands) {
        for (const report::PlacedLine& l : band.lines)
            p.drawLine(QLineF(l.line.p1() * kUnitsPerMm, l.line.p2() * kUnitsPerMm));
    }
    p.setPen(Qt::black);
    for (const report::PlacedBand& band : page.bands) {
        for (const report::PlacedText& t : band.texts) drawText(p, t);
    }
    p.restore();
}

bool paintReport(QPagedPaintDevice& device, const report::FilledReport& report, int fromPage, int toPage) {
    const int count = int(report.pages.size());
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    QPainter p;
    if (!p.begin(&device)) return false;
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    for (int n = first; n <= last; ++n) {
        if (n != first && !device.newPage()) return false;
        paintPage(p, report.pages[std::size_t(n - 1)], pixelsPerMm);
    }
    return p.end();
}

bool writePdf(const report::FilledReport& report, const QString& path) {
    QPdfWriter pdf(path);
    pdf.setPageLayout(pageLayout(report.page));
    pdf.setTitle(report.name);
    return paintReport(pdf, report);
}

}  // namespace rptqt
