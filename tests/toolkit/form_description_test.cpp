// Loading a form description: properties, nested controls with their defaults, queries with
// their lines exactly as stored, handlers bound by name, and the errors that name the culprit.
#include "ToolkitTest.h"

#include "db/Query.h"
#include "toolkit/FormDescription.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tk;

namespace {

const char* const kDescription = R"({
  "name": "Form2",
  "caption": "거래처및은행명의 코드를 검색하는 차입니다.",
  "clientWidth": 844, "clientHeight": 616,
  "borderStyle": "single",
  "borderIcons": [],
  "font": { "family": "굴림", "size": 13 },
  "keyPreview": true,
  "events": { "onCreate": "FormCreate", "onKeyDown": "FormKeyDown" },
  "controls": [
    { "name": "Panel1", "type": "Panel", "left": 0, "top": 0, "width": 844, "height": 105,
      "font": { "size": 12, "bold": true, "color": "clGreen" },
      "controls": [
        { "name": "Label1", "type": "Label", "left": 8, "top": 7, "text": "선택한 코드" },
        { "name": "edAc_code2", "type": "Edit", "left": 8, "top": 21, "width": 158, "height": 20,
          "enabled": false, "readOnly": true },
        { "name": "cbCheck", "type": "ComboBox", "left": 440, "top": 72, "width": 68, "height": 20,
          "items": ["전   체", "거래처", "은행"], "text": "거래처", "tabOrder": 0 },
        { "name": "edSearch", "type": "Edit", "left": 518, "top": 72, "width": 218, "height": 21,
          "font": { "size": 13, "color": "clGreen" }, "hint": "1", "tabOrder": 1,
          "events": { "onExit": "edSearchExit", "onKeyPress": "cbCheckKeyPress" } },
        { "name": "SearchBtn", "type": "Button", "text": "&R 검색", "tabOrder": 2,
          "color": "#008080", "events": { "onClick": "SearchBtnClick" } }
      ] },
    { "name": "DBGrid1", "type": "DBGrid", "top": 105, "width": 844, "height": 511, "tabOrder": 1,
      "dataSource": "Query1",
      "columns": [ { "field": "Tot_Code", "title": "코드", "width": 70, "titleAlign": "center" },
                   { "field": "Tot_Amt", "title": "금액", "displayFormat": "#,##0" } ],
      "events": { "onClick": "DBGrid1CellClick", "onKeyDown": "DBGrid1KeyDown" } }
  ],
  "queries": {
    "Query1": { "alias": "Account", "sql": [ "select Tot_Code = rtrim(Sale_Code) ", "\tfrom Sale_Table  " ] }
  },
  "sql": { "GridQuery": [ "   Select  *  ", "    \tOrder  by  Tot_Code" ] }
})";

Form::Handlers handlers(QStringList& log) {
    Form::Handlers h;
    auto note = [&log](const char* name) { return [&log, name](Control& c) { log << QString::fromLatin1(name) + QLatin1Char(' ') + c.name(); }; };
    h.notify[QStringLiteral("edSearchExit")] = note("edSearchExit");
    h.notify[QStringLiteral("SearchBtnClick")] = note("SearchBtnClick");
    h.notify[QStringLiteral("DBGrid1CellClick")] = note("DBGrid1CellClick");
    h.key[QStringLiteral("DBGrid1KeyDown")] = [&log](Control&, int&, ShiftState) { log << QStringLiteral("DBGrid1KeyDown"); };
    h.keyPress[QStringLiteral("cbCheckKeyPress")] = [](Control& c, QChar& key) {
        if (key == QLatin1Char('\r')) {
            c.form().selectNext();
            key = QChar();
        }
    };
    return h;
}

TEST_F(ToolkitTest, DescriptionBuildsTheFormItsControlsAndItsQueries) {
    const FormDescription d = FormDescription::fromJson(QByteArray(kDescription));
    Form& f = app().createForm<Form>(QStringLiteral("Form2"));
    d.apply(f, handlers(log));

    EXPECT_EQ(f.caption(), QStringLiteral("거래처및은행명의 코드를 검색하는 차입니다."));
    EXPECT_EQ(f.clientWidth(), 844);
    EXPECT_EQ(f.borderStyle(), BorderStyle::Single);
    EXPECT_FALSE(f.systemMenu || f.minimizeBox || f.maximizeBox);
    EXPECT_TRUE(f.keyPreview());
    EXPECT_EQ(f.font().pixelSize, 13);

    Panel& panel = f.panel(QStringLiteral("Panel1"));
    ASSERT_EQ(panel.children().size(), 5u);
    EXPECT_EQ(f.label(QStringLiteral("Label1")).parent(), &panel);
    // Fonts come from the parent where the description says nothing.
    EXPECT_EQ(f.label(QStringLiteral("Label1")).font().pixelSize, 12);
    EXPECT_TRUE(f.label(QStringLiteral("Label1")).font().bold);
    EXPECT_EQ(f.edit(QStringLiteral("edSearch")).font().pixelSize, 13);
    EXPECT_TRUE(f.edit(QStringLiteral("edSearch")).font().bold);
    EXPECT_EQ(f.grid(QStringLiteral("DBGrid1")).font().pixelSize, 13);
    // Defaults by kind.
    EXPECT_FALSE(panel.tabStop());
    EXPECT_EQ(panel.color(), clBtnFace);
    EXPECT_TRUE(f.edit(QStringLiteral("edSearch")).tabStop());
    EXPECT_EQ(f.edit(QStringLiteral("edSearch")).color(), clWindow);
    EXPECT_EQ(f.button(QStringLiteral("SearchBtn")).color(), clTeal);
    EXPECT_FALSE(f.edit(QStringLiteral("edAc_code2")).enabled());
    EXPECT_TRUE(f.edit(QStringLiteral("edAc_code2")).readOnly());
    EXPECT_EQ(f.edit(QStringLiteral("edSearch")).hint(), QStringLiteral("1"));
    EXPECT_EQ(f.comboBox(QStringLiteral("cbCheck")).itemIndex(), 1);
    EXPECT_EQ(f.edit(QStringLiteral("edAc_code2")).geometry().width, 158);

    DBGrid& grid = f.grid(QStringLiteral("DBGrid1"));
    EXPECT_EQ(grid.dataSource(), &f.query(QStringLiteral("Query1")));
    ASSERT_EQ(grid.columns().size(), 2u);
    EXPECT_EQ(grid.columns()[0].titleAlign, GridColumn::Align::Center);
    EXPECT_EQ(grid.columns()[1].width, 64);
    EXPECT_EQ(grid.columns()[1].displayFormat, QStringLiteral("#,##0"));

    // SQL lines stay exactly as written.
    const QStringList querySql{QStringLiteral("select Tot_Code = rtrim(Sale_Code) "), QStringLiteral("\tfrom Sale_Table  ")};
    EXPECT_EQ(f.query(QStringLiteral("Query1")).sql(), querySql);
    EXPECT_EQ(d.querySql(QStringLiteral("Query1")), querySql);
    EXPECT_EQ(d.sqlText(QStringLiteral("GridQuery")),
              (QStringList{QStringLiteral("   Select  *  "), QStringLiteral("    \tOrder  by  Tot_Code")}));
    EXPECT_THROW(d.sqlText(QStringLiteral("Missing")), std::runtime_error);

    // Handlers are bound by name; tab order follows the description.
    f.show();
    EXPECT_EQ(f.activeControl()->name(), QStringLiteral("cbCheck"));
    Clerk clerk(f);
    clerk.click(QStringLiteral("edSearch"));
    clerk.enter();
    EXPECT_EQ(f.activeControl()->name(), QStringLiteral("SearchBtn"));
    clerk.enter();
    clerk.press(vk::Tab);
    clerk.press(vk::Tab);  // in the grid Tab moves between its columns
    EXPECT_EQ(log, (QStringList{"edSearchExit edSearch", "SearchBtnClick SearchBtn", "DBGrid1KeyDown"}));
}

TEST_F(ToolkitTest, DescriptionErrorsNameTheCulprit) {
    auto failure = [&](const QString& json) -> std::string {
        Form& f = app().createForm<Form>(QStringLiteral("f%1").arg(app().forms().size()));
        try {
            FormDescription::fromJson(json.toUtf8()).apply(f, handlers(log));
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_NE(failure(R"({"controls":[{"name":"x1","type":"Memo"}]})").find("Memo"), std::string::npos);
    EXPECT_NE(failure(R"({"controls":[{"name":"x2","type":"Edit","color":"clPink"}]})").find("clPink"), std::string::npos);
    EXPECT_NE(failure(R"({"controls":[{"name":"x3","type":"Edit","events":{"onExit":"Nowhere"}}]})").find("Nowhere"),
              std::string::npos);
    EXPECT_NE(failure(R"({"controls":[{"name":"x4","type":"DBGrid","dataSource":"QueryX"}]})").find("QueryX"),
              std::string::npos);
    EXPECT_NE(failure(R"({"controls": [)").find("form description"), std::string::npos);
    EXPECT_THROW(FormDescription::fromFile(QStringLiteral(":/forms/No_Such_Form.json")), std::runtime_error);
}

}  // namespace

namespace {

void writeFile(const QString& path, const char* text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

// A variant's description names the one it builds on and gives only its differences.
TEST_F(ToolkitTest, DescriptionBuiltOnAnotherTakesOnlyItsDifferences) {
    QTemporaryDir dir;
    writeFile(dir.filePath("Base.json"), R"json({
      "name": "fmBase", "caption": "대체 전표", "clientWidth": 300, "clientHeight": 200,
      "controls": [
        { "name": "Panel10", "type": "Panel", "controls": [
          { "name": "Panel1", "type": "Panel", "controls": [
            { "name": "edDR_Kubun_Name_01", "type": "Edit", "left": 5, "maxLength": 20 } ] } ] },
        { "name": "edDate", "type": "Edit", "text": "2001-05-30" } ],
      "sql": { "Grid": ["select 1", "and Form_Kubun = 'A003'"], "Max": ["select max(x)"] } })json");
    writeFile(dir.filePath("Variant.json"), R"json({
      "basedOn": "Base.json", "caption": "재고자산 타 계정 대체 등록 폼입니다.",
      "controls": [
        { "name": "edDR_Kubun_Name_01", "readOnly": true },
        { "name": "edExtra", "type": "Edit" } ],
      "sql": { "Grid": ["select 1", "and Form_Kubun = 'A004'"] } })json");

    const FormDescription d = FormDescription::fromFile(dir.filePath("Variant.json"));
    Form form(QStringLiteral("fmVariant"));
    d.apply(form, {});
    EXPECT_EQ(form.caption(), QStringLiteral("재고자산 타 계정 대체 등록 폼입니다."));
    EXPECT_EQ(form.clientWidth(), 300);
    const Edit& mirrored = form.edit(QStringLiteral("edDR_Kubun_Name_01"));
    EXPECT_TRUE(mirrored.readOnly());
    EXPECT_EQ(mirrored.maxLength(), 20);
    EXPECT_EQ(mirrored.geometry().left, 5);
    EXPECT_EQ(mirrored.parent()->name(), QStringLiteral("Panel1"));
    EXPECT_EQ(form.edit(QStringLiteral("edExtra")).parent(), nullptr);
    EXPECT_EQ(form.edit(QStringLiteral("edDate")).text(), QStringLiteral("2001-05-30"));
    EXPECT_EQ(d.sqlText(QStringLiteral("Grid")).last(), QStringLiteral("and Form_Kubun = 'A004'"));
    EXPECT_EQ(d.sqlText(QStringLiteral("Max")), QStringList{QStringLiteral("select max(x)")});

    writeFile(dir.filePath("Loop.json"), R"json({ "basedOn": "Loop.json" })json");
    EXPECT_THROW(FormDescription::fromFile(dir.filePath("Loop.json")), std::runtime_error);
}
