#include "toolkit/FormDescription.h"

#include "db/Query.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace tk {

namespace {

[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

QJsonObject parse(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        fail(QStringLiteral("form description: %1 at offset %2").arg(error.errorString()).arg(error.offset));
    }
    if (!doc.isObject()) fail(QStringLiteral("form description: the top level is not an object"));
    return doc.object();
}

QStringList lines(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& line : v.toArray()) out << line.toString();
    return out;
}

Color colorOf(const QJsonValue& v, const QString& owner) {
    try {
        return colorFromName(v.toString());
    } catch (const std::invalid_argument&) {
        fail(QStringLiteral("form description: unknown colour \"%1\" of %2").arg(v.toString(), owner));
    }
}

// Keys missing from a font description keep those of `base`.
Font fontOf(const QJsonObject& o, Font base, const QString& owner) {
    if (o.contains(QLatin1String("family"))) base.family = o.value(QLatin1String("family")).toString();
    if (o.contains(QLatin1String("size"))) base.pixelSize = o.value(QLatin1String("size")).toInt();
    if (o.contains(QLatin1String("bold"))) base.bold = o.value(QLatin1String("bold")).toBool();
    if (o.contains(QLatin1String("color"))) base.color = colorOf(o.value(QLatin1String("color")), owner);
    return base;
}

BorderStyle borderStyleOf(const QString& s) {
    if (s == QLatin1String("single")) return BorderStyle::Single;
    if (s == QLatin1String("sizeable")) return BorderStyle::Sizeable;
    if (s == QLatin1String("dialog")) return BorderStyle::Dialog;
    if (s == QLatin1String("none")) return BorderStyle::None;
    fail(QStringLiteral("form description: unknown border style \"%1\"").arg(s));
}

GridColumn::Align alignOf(const QString& s, const QString& owner) {
    if (s.isEmpty() || s == QLatin1String("left")) return GridColumn::Align::Left;
    if (s == QLatin1String("center")) return GridColumn::Align::Center;
    if (s == QLatin1String("right")) return GridColumn::Align::Right;
    fail(QStringLiteral("form description: unknown title alignment \"%1\" in %2").arg(s, owner));
}

template <class Map>
auto handlerOf(const Map& table, const QString& handler, const QString& event, const QString& control) {
    auto it = table.find(handler);
    if (it == table.end()) {
        fail(QStringLiteral("form description: handler \"%1\" (%2 of %3) is not in the form's handler table")
                 .arg(handler, event, control));
    }
    return it->second;
}

void bindEvents(Control& c, const QJsonObject& events, const Form::Handlers& h) {
    for (auto it = events.begin(); it != events.end(); ++it) {
        const QString event = it.key();
        const QString name = it.value().toString();
        if (event == QLatin1String("onEnter")) c.onEnter = handlerOf(h.notify, name, event, c.name());
        else if (event == QLatin1String("onExit")) c.onExit = handlerOf(h.notify, name, event, c.name());
        else if (event == QLatin1String("onClick")) c.onClick = handlerOf(h.notify, name, event, c.name());
        else if (event == QLatin1String("onDblClick")) c.onDblClick = handlerOf(h.notify, name, event, c.name());
        else if (event == QLatin1String("onChange")) c.onChange = handlerOf(h.notify, name, event, c.name());
        else if (event == QLatin1String("onKeyDown")) c.onKeyDown = handlerOf(h.key, name, event, c.name());
        else if (event == QLatin1String("onKeyUp")) c.onKeyUp = handlerOf(h.key, name, event, c.name());
        else if (event == QLatin1String("onKeyPress")) c.onKeyPress = handlerOf(h.keyPress, name, event, c.name());
        else fail(QStringLiteral("form description: unknown event \"%1\" of %2").arg(event, c.name()));
    }
}

Control& createControl(Form& form, Control* parent, const QString& type, const QString& name) {
    if (type == QLatin1String("Edit")) return form.add<Edit>(name, parent);
    if (type == QLatin1String("ComboBox")) return form.add<ComboBox>(name, parent);
    if (type == QLatin1String("Button")) return form.add<Button>(name, parent);
    if (type == QLatin1String("Panel")) return form.add<Panel>(name, parent);
    if (type == QLatin1String("Label")) return form.add<Label>(name, parent);
    if (type == QLatin1String("DBGrid")) return form.add<DBGrid>(name, parent);
    fail(QStringLiteral("form description: unknown control type \"%1\" of %2").arg(type, name));
}

void applyEditProperties(Edit& e, const QJsonObject& o) {
    e.setMaxLength(o.value(QLatin1String("maxLength")).toInt(0));
    e.setReadOnly(o.value(QLatin1String("readOnly")).toBool(false));
}

void applyComboProperties(ComboBox& cb, const QJsonObject& o) {
    const QString style = o.value(QLatin1String("style")).toString(QStringLiteral("dropDown"));
    if (style == QLatin1String("dropDown")) cb.setStyle(ComboBox::Style::DropDown);
    else if (style == QLatin1String("dropDownList")) cb.setStyle(ComboBox::Style::DropDownList);
    else fail(QStringLiteral("form description: unknown combo box style \"%1\" of %2").arg(style, cb.name()));
    cb.setItems(lines(o.value(QLatin1String("items"))));
}

void applyGridProperties(Form& form, DBGrid& g, const QJsonObject& o) {
    std::vector<GridColumn> columns;
    for (const QJsonValue& v : o.value(QLatin1String("columns")).toArray()) {
        const QJsonObject c = v.toObject();
        GridColumn col;
        col.field = c.value(QLatin1String("field")).toString();
        col.title = c.value(QLatin1String("title")).toString();
        col.width = c.value(QLatin1String("width")).toInt(64);
        col.displayFormat = c.value(QLatin1String("displayFormat")).toString();
        col.titleAlign = alignOf(c.value(QLatin1String("titleAlign")).toString(), g.name());
        columns.push_back(col);
    }
    g.setColumns(std::move(columns));
    const QString source = o.value(QLatin1String("dataSource")).toString();
    if (!source.isEmpty()) {
        try {
            g.setDataSource(&form.query(source));
        } catch (const std::out_of_range&) {
            fail(QStringLiteral("form description: grid %1 names the unknown query \"%2\"").arg(g.name(), source));
        }
    }
}

void createControls(Form& form, Control* parent, const QJsonArray& list, const Font& parentFont,
                    const Form::Handlers& handlers) {
    int position = 0;
    for (const QJsonValue& v : list) {
        const QJsonObject o = v.toObject();
        const QString name = o.value(QLatin1String("name")).toString();
        if (name.isEmpty()) fail(QStringLiteral("form description: a control without a name"));
        Control& c = createControl(form, parent, o.value(QLatin1String("type")).toString(), name);
        c.setGeometry(Rect{o.value(QLatin1String("left")).toInt(), o.value(QLatin1String("top")).toInt(),
                           o.value(QLatin1String("width")).toInt(), o.value(QLatin1String("height")).toInt()});
        c.setHint(o.value(QLatin1String("hint")).toString());
        c.setEnabled(o.value(QLatin1String("enabled")).toBool(true));
        c.setVisible(o.value(QLatin1String("visible")).toBool(true));
        if (o.contains(QLatin1String("color"))) c.setColor(colorOf(o.value(QLatin1String("color")), name));
        c.setFont(fontOf(o.value(QLatin1String("font")).toObject(), parentFont, name));
        c.setTabOrder(o.value(QLatin1String("tabOrder")).toInt(position));
        if (o.contains(QLatin1String("tabStop"))) c.setTabStop(o.value(QLatin1String("tabStop")).toBool());
        ++position;

        if (auto* e = dynamic_cast<Edit*>(&c)) applyEditProperties(*e, o);
        if (auto* cb = dynamic_cast<ComboBox*>(&c)) applyComboProperties(*cb, o);
        if (auto* g = dynamic_cast<DBGrid*>(&c)) applyGridProperties(form, *g, o);
        // The text last: a combo box matches it against its items.
        if (o.contains(QLatin1String("text"))) c.setText(o.value(QLatin1String("text")).toString());
        bindEvents(c, o.value(QLatin1String("events")).toObject(), handlers);
        createControls(form, &c, o.value(QLatin1String("controls")).toArray(), c.font(), handlers);
    }
}

}  // namespace

namespace {

QJsonObject merged(QJsonObject base, const QJsonObject& overlay);

// A list of named things: controls, report bands and their items.
bool isNamedList(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    return v.isArray() && !a.isEmpty() && a.first().toObject().contains(QLatin1String("name"));
}

// Merges a named overlay object into the object of its name anywhere below `list`.
bool mergeInto(QJsonArray& list, const QJsonObject& overlay) {
    const QString name = overlay.value(QLatin1String("name")).toString();
    for (int i = 0; i < list.size(); ++i) {
        QJsonObject existing = list.at(i).toObject();
        if (existing.value(QLatin1String("name")).toString() == name) {
            list.replace(i, merged(existing, overlay));
            return true;
        }
        for (auto it = existing.begin(); it != existing.end(); ++it) {
            if (!isNamedList(it.value())) continue;
            QJsonArray children = it.value().toArray();
            if (mergeInto(children, overlay)) {
                existing.insert(it.key(), children);
                list.replace(i, existing);
                return true;
            }
        }
    }
    return false;
}

// A named thing of the overlay changes the base's thing of that name, wherever it stands;
// a new one is added at the overlay's level.
QJsonArray mergedList(QJsonArray base, const QJsonArray& overlay) {
    for (const QJsonValue& value : overlay) {
        if (!mergeInto(base, value.toObject())) base.append(value);
    }
    return base;
}

// Objects merge key by key, lists of named things by name; any other value of the overlay
// replaces the base's.
QJsonObject merged(QJsonObject base, const QJsonObject& overlay) {
    for (auto it = overlay.begin(); it != overlay.end(); ++it) {
        const QJsonValue mine = base.value(it.key());
        if (isNamedList(mine) && it.value().isArray())
            base.insert(it.key(), mergedList(mine.toArray(), it.value().toArray()));
        else if (mine.isObject() && it.value().isObject())
            base.insert(it.key(), merged(mine.toObject(), it.value().toObject()));
        else
            base.insert(it.key(), it.value());
    }
    return base;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("form description %1 cannot be read: %2").arg(path, file.errorString()));
    }
    return file.readAll();
}

// A description that names under "basedOn" the one it builds on (beside it) gives only
// what differs; the result is the whole description.
QJsonObject resolved(const QString& path, int depth) {
    if (depth > 8) fail(QStringLiteral("form description %1: \"basedOn\" goes round in a circle").arg(path));
    QJsonObject own = parse(readFile(path));
    const QString baseName = own.take(QLatin1String("basedOn")).toString();
    if (baseName.isEmpty()) return own;
    const QString basePath = path.left(path.lastIndexOf(QLatin1Char('/')) + 1) + baseName;
    return merged(resolved(basePath, depth + 1), own);
}

}  // namespace

QJsonObject FormDescription::section(const QString& key) const {
    return parse(json_).value(key).toObject();
}

FormDescription FormDescription::fromFile(const QString& path) {
    return fromJson(QJsonDocument(resolved(path, 0)).toJson(QJsonDocument::Compact));
}

FormDescription FormDescription::fromJson(const QByteArray& json) {
    parse(json);  // reject a broken description at once
    FormDescription d;
    d.json_ = json;
    return d;
}

void FormDescription::apply(Form& form, const Form::Handlers& handlers) const {
    const QJsonObject o = parse(json_);
    if (o.contains(QLatin1String("caption"))) form.setCaption(o.value(QLatin1String("caption")).toString());
    if (o.contains(QLatin1String("clientWidth")) || o.contains(QLatin1String("clientHeight"))) {
        form.setClientSize(o.value(QLatin1String("clientWidth")).toInt(), o.value(QLatin1String("clientHeight")).toInt());
    }
    if (o.contains(QLatin1String("left")) || o.contains(QLatin1String("top"))) {
        form.setPosition(o.value(QLatin1String("left")).toInt(), o.value(QLatin1String("top")).toInt());
    }
    if (o.contains(QLatin1String("borderStyle"))) {
        form.setBorderStyle(borderStyleOf(o.value(QLatin1String("borderStyle")).toString()));
    }
    if (o.contains(QLatin1String("borderIcons"))) {
        const QStringList icons = lines(o.value(QLatin1String("borderIcons")));
        form.systemMenu = icons.contains(QLatin1String("systemMenu"));
        form.minimizeBox = icons.contains(QLatin1String("minimize"));
        form.maximizeBox = icons.contains(QLatin1String("maximize"));
    }
    if (o.contains(QLatin1String("color"))) form.setColor(colorOf(o.value(QLatin1String("color")), form.name()));
    form.setFont(fontOf(o.value(QLatin1String("font")).toObject(), form.font(), form.name()));
    if (o.contains(QLatin1String("keyPreview"))) form.setKeyPreview(o.value(QLatin1String("keyPreview")).toBool());

    // Queries first: grids name them as their data source.
    const QJsonObject queries = o.value(QLatin1String("queries")).toObject();
    for (auto it = queries.begin(); it != queries.end(); ++it) {
        const QJsonObject q = it.value().toObject();
        db::Query& query = form.addQuery(it.key(), q.value(QLatin1String("alias")).toString(QStringLiteral("Account")));
        query.setSql(lines(q.value(QLatin1String("sql"))));
    }
    createControls(form, nullptr, o.value(QLatin1String("controls")).toArray(), form.font(), handlers);
}

QStringList FormDescription::querySql(const QString& queryName) const {
    const QJsonObject queries = parse(json_).value(QLatin1String("queries")).toObject();
    if (!queries.contains(queryName)) fail(QStringLiteral("form description: no query named \"%1\"").arg(queryName));
    return lines(queries.value(queryName).toObject().value(QLatin1String("sql")));
}

QStringList FormDescription::sqlText(const QString& name) const {
    const QJsonObject texts = parse(json_).value(QLatin1String("sql")).toObject();
    if (!texts.contains(name)) fail(QStringLiteral("form description: no SQL text named \"%1\"").arg(name));
    return lines(texts.value(name));
}

db::Query& FormDescription::loadStatement(db::Query& query, const QString& name) const {
    query.close();
    query.clearSql();
    appendStatement(query, name);
    return query;
}

void FormDescription::appendStatement(db::Query& query, const QString& name) const {
    for (const QString& line : sqlText(name)) query.addSql(line);
}

}  // namespace tk
