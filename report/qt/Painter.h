#pragma once
// Draws a filled report with QPainter: one routine for the preview window, the printer and
// PDF files alike.

#include "report/FilledReport.h"

#include <QFont>
#include <QPageLayout>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace rptqt {

// The painter draws in hundredths of a millimetre.
inline constexpr double kUnitsPerMm = 100.0;

// A report font sized in hundredths of a millimetre.
QFont toQFont(const report::Font& font);

// The paper of the report, with no margins of the device's own: the bands carry the margins.
QPageLayout pageLayout(const report::PageSetup& page);

// One page on a painter whose device has `pixelsPerMm`; the painter's state is kept.
void paintPage(QPainter& painter, const report::FilledPage& page, double pixelsPerMm);

// The pages from `fromPage` to `toPage` (1-based; 0 for both means all) on a printer or
// PDF writer set up with pageLayout(). False when the device cannot be painted on.
bool paintReport(QPagedPaintDevice& device, const report::FilledReport& report, int fromPage = 0, int toPage = 0);

// The whole report as a PDF file; false when the file cannot be written.
bool writePdf(const report::FilledReport& report, const QString& path);

}  // namespace rptqt
