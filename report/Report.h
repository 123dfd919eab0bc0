#pragma once
// A banded report as data: the page, the bands (page header, child bands printed after
// their parent, one detail band per data row, the summary), and on each band labels, data
// fields, sums over the whole report and lines. Places are millimetres from the band's top
// left corner, fonts are in points. The rows come from a read-only row set.

#include "db/RowSet.h"
#include "report/FilledReport.h"

#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

namespace report {

enum class ItemKind { Label, Field, Sum, Line };

struct Item {
    QString name;
    ItemKind kind = ItemKind::Label;
    QString text;        // Label: the caption
    QString field;       // Field: the shown field (of the row a detail band prints); Sum: the summed field
    QString expression;  // Sum: as written ("SUM(Print_Query.Cr_Amt)")
    QString mask;        // Field and Sum: a number mask ("#,###"); empty: the value's text
    // Edges of the item's box. A left-aligned item needs its left edge, a right-aligned one
    // its right edge, a centred one both. With both, the text is clipped to the box.
    std::optional<double> left, right;
    double top = 0;
    Align align = Align::Left;
    std::optional<Font> font;  // the report's font when absent
    // Line: from (left, top), `length` downwards or, when not vertical, to the right.
    double length = 0;
    bool vertical = true;
};

enum class BandKind { PageHeader, Child, Detail, Summary };

struct Band {
    QString name;
    BandKind kind = BandKind::Detail;
    QString parent;  // Child: the band it is printed after
    double height = 0;
    Frame frame;
    std::vector<Item> items;
};

class Report {
public:
    // The "report" object of a form description. Throws std::runtime_error naming what
    // is wrong (unknown band or item type, a missing edge, a mask or sum it cannot do).
    static Report fromJson(const QJsonObject& description);
    // The "report" object of a description file or resource (":/forms/...").
    static Report fromFile(const QString& path);

    const QString& name() const { return name_; }
    const PageSetup& page() const { return page_; }
    const Font& font() const { return font_; }
    const std::vector<Band>& bands() const { return bands_; }
    // Every item by its name, whatever band holds it; throws std::out_of_range when absent.
    Item& item(const QString& name);
    const Item& item(const QString& name) const;
    // A label's caption.
    void setCaption(const QString& labelName, const QString& text);

    // The rows the detail band prints; null prints none. The set must outlive the report's use.
    void setDataSet(const db::RowSet* rows) { rows_ = rows; }
    const db::RowSet* dataSet() const { return rows_; }

    // The report laid out on its pages with the rows of the data set as they are now.
    FilledReport fill() const;
    // Fills the report and shows it in the preview; returns when the preview is closed.
    void preview() const;

private:
    QString name_;
    PageSetup page_;
    Font font_;
    std::vector<Band> bands_;
    const db::RowSet* rows_ = nullptr;
};

}  // namespace report
