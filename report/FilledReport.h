#pragma once
// A report laid out with its rows: pages of bands, each with its texts as they print and
// its rules, in millimetres from the paper's top left corner. A painter only draws this.

#include "report/Types.h"

#include <QLineF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace report {

struct PlacedText {
    QString item;
    QString text;
    std::optional<double> left, right;  // the box edges the item has (see report::Item)
    double top = 0;
    Align align = Align::Left;
    Font font;
};

struct PlacedLine {
    QString item;  // empty for a band's frame
    QLineF line;
};

struct PlacedBand {
    QString name;
    int row = -1;  // the data row of a detail band
    QRectF rect;
    std::vector<PlacedText> texts;
    std::vector<PlacedLine> lines;
    // The text an item prints here; throws std::out_of_range when the band has no such item.
    QString text(const QString& item) const;
};

struct FilledPage {
    std::vector<PlacedBand> bands;
};

struct FilledReport {
    QString name;
    PageSetup page;
    std::vector<FilledPage> pages;
    // The bands of that name in print order, over all pages.
    std::vector<const PlacedBand*> bands(const QString& name) const;
};

}  // namespace report
