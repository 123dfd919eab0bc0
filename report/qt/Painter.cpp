#include "report/qt/Painter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace rptqt {

namespace {

constexpr double kRuleWidthMm = 0.2;
constexpr double kMmPerPoint = 25.4 / 72.0;

// Where the text starts: at the left edge, before the right edge, or centred between both.
double textStart(const report::PlacedText& t, double width) {
    switch (t.align) {
    case report::Align::Left: return *t.left * kUnitsPerMm;
    case report::Align::Right: return *t.right * kUnitsPerMm - width;
    case report::Align::Center: return (*t.left + *t.right) * kUnitsPerMm / 2 - width / 2;
    }
    return 0;
}

// Word by word at the places the whole line gives them: the blanks are gaps, not glyphs. (A
// font such as NanumGothic maps its blank glyph to another character in a PDF's text, so a
// drawn blank would join the words for a reader of the PDF.)
void drawText(QPainter& p, const report::PlacedText& t) {
    if (t.text.trimmed().isEmpty()) return;
    const QFont font = toQFont(t.font);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const double start = textStart(t, metrics.horizontalAdvance(t.text));
    const double baseline = t.top * kUnitsPerMm + metrics.ascent();
    p.save();
    // An item with both edges is cut at its box, as a fixed-size field is.
    if (t.left && t.right)
        p.setClipRect(QRectF(*t.left * kUnitsPerMm, t.top * kUnitsPerMm, (*t.right - *t.left) * kUnitsPerMm, metrics.height()),
                      Qt::IntersectClip);
    const QChar blank = QLatin1Char(' ');
    for (qsizetype at = 0; at < t.text.size();) {
        if (t.text[at] == blank) {
            ++at;
            continue;
        }
        qsizetype end = t.text.indexOf(blank, at);
        if (end < 0) end = t.text.size();
        p.drawText(QPointF(start + metrics.horizontalAdvance(t.text.left(at)), baseline), t.text.mid(at, end - at));
        at = end;
    }
    p.restore();
}

}  // namespace

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
