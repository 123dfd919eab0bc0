#include "report/Report.h"

#include "report/Mask.h"
#include "report/Preview.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <map>
#include <set>
#include <stdexcept>

namespace report {

namespace {

[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

// --- reading the description --------------------------------------------------------------

double number(const QJsonObject& o, const char* key, const QString& owner) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble()) fail(QStringLiteral("report description: %1 needs the number \"%2\"").arg(owner, QLatin1String(key)));
    return v.toDouble();
}

std::optional<double> optionalNumber(const QJsonObject& o, const char* key, const QString& owner) {
    if (!o.contains(QLatin1String(key))) return std::nullopt;
    return number(o, key, owner);
}

Font fontOf(const QJsonObject& o, Font base) {
    if (o.contains(QLatin1String("family"))) base.family = o.value(QLatin1String("family")).toString();
    if (o.contains(QLatin1String("size"))) base.pointSize = o.value(QLatin1String("size")).toDouble();
    if (o.contains(QLatin1String("bold"))) base.bold = o.value(QLatin1String("bold")).toBool();
    return base;
}

PageSetup pageOf(const QJsonObject& o) {
    PageSetup page;
    const QString paper = o.value(QLatin1String("paper")).toString(QStringLiteral("A4"));
    if (paper != QLatin1String("A4")) fail(QStringLiteral("report description: unknown paper \"%1\"").arg(paper));
    const QString orientation = o.value(QLatin1String("orientation")).toString(QStringLiteral("portrait"));
    if (orientation == QLatin1String("landscape")) {
        page.landscape = true;
        std::swap(page.width, page.height);
    } else if (orientation != QLatin1String("portrait")) {
        fail(QStringLiteral("report description: unknown orientation \"%1\"").arg(orientation));
    }
    const QJsonObject m = o.value(QLatin1String("margins")).toObject();
    const QString owner = QStringLiteral("the page margins");
    page.leftMargin = optionalNumber(m, "left", owner).value_or(page.leftMargin);
    page.topMargin = optionalNumber(m, "top", owner).value_or(page.topMargin);
    page.rightMargin = optionalNumber(m, "right", owner).value_or(page.rightMargin);
    page.bottomMargin = optionalNumber(m, "bottom", owner).value_or(page.bottomMargin);
    return page;
}

BandKind bandKindOf(const QString& type, const QString& band) {
    if (type == QLatin1String("pageHeader")) return BandKind::PageHeader;
    if (type == QLatin1String("child")) return BandKind::Child;
    if (type == QLatin1String("detail")) return BandKind::Detail;
    if (type == QLatin1String("summary")) return BandKind::Summary;
    fail(QStringLiteral("report description: unknown band type \"%1\" of %2").arg(type, band));
}

Frame frameOf(const QJsonArray& sides, const QString& band) {
    Frame f;
    for (const QJsonValue& v : sides) {
        const QString side = v.toString();
        if (side == QLatin1String("top")) f.top = true;
        else if (side == QLatin1String("bottom")) f.bottom = true;
        else if (side == QLatin1String("left")) f.left = true;
        else if (side == QLatin1String("right")) f.right = true;
        else fail(QStringLiteral("report description: unknown frame side \"%1\" of %2").arg(side, band));
    }
    return f;
}

Align alignOf(const QString& s, const QString& item) {
    if (s.isEmpty() || s == QLatin1String("left")) return Align::Left;
    if (s == QLatin1String("center")) return Align::Center;
    if (s == QLatin1String("right")) return Align::Right;
    fail(QStringLiteral("report description: unknown alignment \"%1\" of %2").arg(s, item));
}

// "SUM(DataSet.Field)" or "SUM(Field)": the summed field.
QString summedField(const QString& expression, const QString& dataSet, const QString& item) {
    static const QRegularExpression sum(QStringLiteral("^\\s*SUM\\s*\\(\\s*(?:(\\w+)\\s*\\.\\s*)?(\\w+)\\s*\\)\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = sum.match(expression);
    if (!m.hasMatch()) fail(QStringLiteral("report description: %1 has the expression \"%2\"; only SUM(field) is known").arg(item, expression));
    if (!m.captured(1).isEmpty() && m.captured(1).compare(dataSet, Qt::CaseInsensitive) != 0)
        fail(QStringLiteral("report description: %1 sums over \"%2\", not the report's data set \"%3\"").arg(item, m.captured(1), dataSet));
    return m.captured(2);
}

void requireEdges(const Item& item) {
    const bool ok = item.align == Align::Left ? item.left.has_value()
                    : item.align == Align::Right ? item.right.has_value()
                                                 : item.left.has_value() && item.right.has_value();
    if (!ok) {
        fail(QStringLiteral("report description: %1 lacks the edge its alignment needs (left: \"left\", right: "
                            "\"right\", centred: both)").arg(item.name));
    }
}

Item itemOf(const QJsonObject& o, const QString& dataSet, const Font& reportFont) {
    Item item;
    item.name = o.value(QLatin1String("name")).toString();
    if (item.name.isEmpty()) fail(QStringLiteral("report description: an item without a name"));
    const QString type = o.value(QLatin1String("type")).toString();
    item.left = optionalNumber(o, "left", item.name);
    item.right = optionalNumber(o, "right", item.name);
    item.top = number(o, "top", item.name);
    if (type == QLatin1String("line")) {
        item.kind = ItemKind::Line;
        if (!item.left) fail(QStringLiteral("report description: the line %1 needs \"left\"").arg(item.name));
        item.length = number(o, "length", item.name);
        const QString orientation = o.value(QLatin1String("orientation")).toString(QStringLiteral("vertical"));
        if (orientation != QLatin1String("vertical") && orientation != QLatin1String("horizontal"))
            fail(QStringLiteral("report description: unknown orientation \"%1\" of %2").arg(orientation, item.name));
        item.vertical = orientation == QLatin1String("vertical");
        return item;
    }
    if (type == QLatin1String("label")) {
        item.kind = ItemKind::Label;
        item.text = o.value(QLatin1String("text")).toString();
    } else if (type == QLatin1String("field")) {
        item.kind = ItemKind::Field;
        item.field = o.value(QLatin1String("field")).toString();
        if (item.field.isEmpty()) fail(QStringLiteral("report description: the field %1 names no data field").arg(item.name));
    } else if (type == QLatin1String("sum")) {
        item.kind = ItemKind::Sum;
        item.expression = o.value(QLatin1String("expression")).toString();
        item.field = summedField(item.expression, dataSet, item.name);
    } else {
        fail(QStringLiteral("report description: unknown item type \"%1\" of %2").arg(type, item.name));
    }
    item.mask = o.value(QLatin1String("mask")).toString();
    if (!item.mask.isEmpty() && !isNumberMask(item.mask))
        fail(QStringLiteral("report description: unknown mask \"%1\" of %2").arg(item.mask, item.name));
    item.align = alignOf(o.value(QLatin1String("align")).toString(), item.name);
    requireEdges(item);
    if (o.contains(QLatin1String("font"))) item.font = fontOf(o.value(QLatin1String("font")).toObject(), reportFont);
    return item;
}

// --- laying out ---------------------------------------------------------------------------

class Layout {
public:
    Layout(const Report& report, const db::RowSet* rows) : report_(report), rows_(rows) {
        out_.name = report.name();
        out_.page = report.page();
        for (const Band& b : report.bands()) {
            for (const Item& i : b.items) {
                if (i.kind == ItemKind::Field || i.kind == ItemKind::Sum) columns_[&i] = column(i);
                if (i.kind == ItemKind::Sum) sums_[&i] = 0;
            }
        }
    }

    FilledReport run() {
        startPage();
        const Band* detail = find(BandKind::Detail);
        const int count = rows_ && rows_->fieldCount() > 0 ? rows_->recordCount() : 0;
        for (int row = 0; detail && row < count; ++row) {
            addToSums(row);
            makeRoom(heightWithChildren(*detail));
            placeWithChildren(*detail, row);
            bodyOnPage_ = true;
        }
        if (const Band* summary = find(BandKind::Summary)) {
            makeRoom(heightWithChildren(*summary));
            placeWithChildren(*summary, -1);
        }
        return std::move(out_);
    }

private:
    // A data set without fields (a closed query) prints no rows.
    int column(const Item& i) const {
        if (!rows_ || rows_->fieldCount() == 0) return -1;
        const int c = rows_->fieldIndex(i.field);
        if (c < 0) fail(QStringLiteral("The report item %1 needs the field \"%2\", which its data set lacks").arg(i.name, i.field));
        return c;
    }

    const Band* find(BandKind kind) const {
        for (const Band& b : report_.bands())
            if (b.kind == kind) return &b;
        return nullptr;
    }

    std::vector<const Band*> children(const Band& parent) const {
        std::vector<const Band*> out;
        for (const Band& b : report_.bands())
            if (b.kind == BandKind::Child && b.parent == parent.name) out.push_back(&b);
        return out;
    }

    double heightWithChildren(const Band& band) const {
        double h = band.height;
        for (const Band* c : children(band)) h += heightWithChildren(*c);
        return h;
    }

    // A band that does not fit goes on a new page, unless the page holds nothing but its
    // headers yet (it would fit nowhere: it prints cut off rather than never).
    void makeRoom(double height) {
        if (bodyOnPage_ && y_ + height > out_.page.printableHeight() + 1e-9) startPage();
    }

    void startPage() {
        out_.pages.emplace_back();
        y_ = 0;
        bodyOnPage_ = false;
        if (const Band* header = find(BandKind::PageHeader)) placeWithChildren(*header, -1);
    }

    void addToSums(int row) {
        for (auto& [item, sum] : sums_) {
            const QVariant v = rows_->value(row, columns_.at(item));
            if (v.isNull()) continue;
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (!ok) fail(QStringLiteral("The report item %1 cannot add \"%2\" of the field %3").arg(item->name, v.toString(), item->field));
            sum += d;
        }
    }

    void placeWithChildren(const Band& band, int row) {
        place(band, row);
        for (const Band* c : children(band)) placeWithChildren(*c, row);
    }

    void place(const Band& band, int row) {
        const PageSetup& page = out_.page;
        PlacedBand placed;
        placed.name = band.name;
        placed.row = row;
        placed.rect = QRectF(page.leftMargin, page.topMargin + y_, page.printableWidth(), band.height);
        const QPointF origin = placed.rect.topLeft();
        for (const Item& item : band.items) {
            if (item.kind == ItemKind::Line) {
                const QPointF from = origin + QPointF(*item.left, item.top);
                const QPointF to = from + (item.vertical ? QPointF(0, item.length) : QPointF(item.length, 0));
                placed.lines.push_back(PlacedLine{item.name, QLineF(from, to)});
                continue;
            }
            PlacedText t;
            t.item = item.name;
            t.text = textOf(item, row);
            if (item.left) t.left = origin.x() + *item.left;
            if (item.right) t.right = origin.x() + *item.right;
            t.top = origin.y() + item.top;
            t.align = item.align;
            t.font = item.font.value_or(report_.font());
            placed.texts.push_back(std::move(t));
        }
        const QRectF& r = placed.rect;
        if (band.frame.top) placed.lines.push_back(PlacedLine{QString(), QLineF(r.topLeft(), r.topRight())});
        if (band.frame.bottom) placed.lines.push_back(PlacedLine{QString(), QLineF(r.bottomLeft(), r.bottomRight())});
        if (band.frame.left) placed.lines.push_back(PlacedLine{QString(), QLineF(r.topLeft(), r.bottomLeft())});
        if (band.frame.right) placed.lines.push_back(PlacedLine{QString(), QLineF(r.topRight(), r.bottomRight())});
        out_.pages.back().bands.push_back(std::move(placed));
        y_ += band.height;
    }

    QString textOf(const Item& item, int row) const {
        switch (item.kind) {
        case ItemKind::Label: return item.text;
        case ItemKind::Sum: return item.mask.isEmpty() ? QString::number(sums_.at(&item), 'g', 15) : formatNumber(item.mask, sums_.at(&item));
        case ItemKind::Field: {
            if (!rows_ || row < 0) return QString();
            const int c = columns_.at(&item);
            if (item.mask.isEmpty()) return rows_->text(row, c);
            bool ok = false;
            const QVariant v = rows_->value(row, c);
            const double d = v.isNull() ? 0.0 : v.toDouble(&ok);
            return v.isNull() || ok ? formatNumber(item.mask, d) : rows_->text(row, c);
        }
        case ItemKind::Line: break;
        }
        return QString();
    }

    const Report& report_;
    const db::RowSet* rows_;
    std::map<const Item*, int> columns_;
    std::map<const Item*, double> sums_;
    FilledReport out_;
    double y_ = 0;
    bool bodyOnPage_ = false;
};

}  // namespace

Report Report::fromJson(const QJsonObject& o) {
    Report r;
    r.name_ = o.value(QLatin1String("name")).toString();
    r.page_ = pageOf(o.value(QLatin1String("page")).toObject());
    r.font_ = fontOf(o.value(QLatin1String("font")).toObject(), Font());
    const QString dataSet = o.value(QLatin1String("dataSet")).toString();
    std::set<QString> names;
    std::map<BandKind, int> counts;
    for (const QJsonValue& bv : o.value(QLatin1String("bands")).toArray()) {
        const QJsonObject b = bv.toObject();
        Band band;
        band.name = b.value(QLatin1String("name")).toString();
        if (band.name.isEmpty()) fail(QStringLiteral("report description: a band without a name"));
        band.kind = bandKindOf(b.value(QLatin1String("type")).toString(), band.name);
        if (band.kind != BandKind::Child && ++counts[band.kind] > 1)
            fail(QStringLiteral("report description: a second band of the type of %1").arg(band.name));
        band.parent = b.value(QLatin1String("parent")).toString();
        if (band.kind == BandKind::Child && !names.count(band.parent))
            fail(QStringLiteral("report description: the child band %1 follows \"%2\", which is no band before it").arg(band.name, band.parent));
        band.height = number(b, "height", band.name);
        band.frame = frameOf(b.value(QLatin1String("frame")).toArray(), band.name);
        if (!names.insert(band.name).second) fail(QStringLiteral("report description: two things named %1").arg(band.name));
        for (const QJsonValue& iv : b.value(QLatin1String("items")).toArray()) {
            Item item = itemOf(iv.toObject(), dataSet, r.font_);
            if (!names.insert(item.name).second) fail(QStringLiteral("report description: two things named %1").arg(item.name));
            band.items.push_back(std::move(item));
        }
        r.bands_.push_back(std::move(band));
    }
    return r;
}

Report Report::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) fail(QStringLiteral("report description %1 cannot be read: %2").arg(path, file.errorString()));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        fail(QStringLiteral("report description %1: %2 at offset %3").arg(path, error.errorString()).arg(error.offset));
    const QJsonValue report = doc.object().value(QLatin1String("report"));
    if (!report.isObject()) fail(QStringLiteral("report description %1 has no \"report\" object").arg(path));
    return fromJson(report.toObject());
}

Item& Report::item(const QString& name) {
    return const_cast<Item&>(static_cast<const Report&>(*this).item(name));
}

const Item& Report::item(const QString& name) const {
    for (const Band& b : bands_)
        for (const Item& i : b.items)
            if (i.name == name) return i;
    throw std::out_of_range("report " + name_.toStdString() + " has no item named " + name.toStdString());
}

void Report::setCaption(const QString& labelName, const QString& text) {
    Item& i = item(labelName);
    if (i.kind != ItemKind::Label) throw std::invalid_argument("report item " + labelName.toStdString() + " is not a label");
    i.text = text;
}

FilledReport Report::fill() const { return Layout(*this, rows_).run(); }

void Report::preview() const { previewService().preview(fill()); }

// --- the filled report --------------------------------------------------------------------

QString PlacedBand::text(const QString& item) const {
    for (const PlacedText& t : texts)
        if (t.item == item) return t.text;
    throw std::out_of_range("band " + name.toStdString() + " has no text item named " + item.toStdString());
}

std::vector<const PlacedBand*> FilledReport::bands(const QString& name) const {
    std::vector<const PlacedBand*> out;
    for (const FilledPage& p : pages)
        for (const PlacedBand& b : p.bands)
            if (b.name == name) out.push_back(&b);
    return out;
}

}  // namespace report
