// The Transact-SQL statements of the forms, translated for SQLite and PostgreSQL: each row is the
// input, the exact SQLite text and the exact PostgreSQL text.
#include "db/Dialect.h"

#include <gtest/gtest.h>

namespace {

using db::Backend;

const QStringList kTextColumns = {
    QStringLiteral("date_day"),   QStringLiteral("kubun_bon"),     QStringLiteral("kubun_name"),
    QStringLiteral("kubun_jangso"), QStringLiteral("ac_text"),     QStringLiteral("sawon_name"),
    QStringLiteral("sawon_code"), QStringLiteral("sale_serial01"), QStringLiteral("sale_serial02"),
    QStringLiteral("sale_serial03"), QStringLiteral("a_kubun"),    QStringLiteral("b_kubun"),
    QStringLiteral("c_kubun"),    QStringLiteral("tot_kubun")};

struct Row {
    const char* name;
    const char* input;
    const char* sqlite;
    const char* postgres;
    std::vector<const char*> parameters;
};

class Translation : public testing::TestWithParam<Row> {};

TEST_P(Translation, GivesTheExactTextForEachBackend) {
    const Row& r = GetParam();
    const db::Translation lite = db::translate(QString::fromUtf8(r.input), Backend::SQLite, kTextColumns);
    const db::Translation pg = db::translate(QString::fromUtf8(r.input), Backend::PostgreSQL, kTextColumns);
    EXPECT_EQ(lite.sql.toStdString(), r.sqlite);
    EXPECT_EQ(pg.sql.toStdString(), r.postgres);
    QStringList expected;
    for (const char* p : r.parameters) expected << QString::fromUtf8(p);
    EXPECT_EQ(lite.parameterOrder, expected);
    EXPECT_EQ(pg.parameterOrder, expected);
}

const Row kRows[] = {
    {"NamedItem", "select a = b from t", "select b AS a from t", "select b AS a from t", {}},
    {"ItemsOutsideASelectListStay",
     "ac_Qelcode1  =  t.ac_Qelcode,   ac_QelName1  =  t.ac_QelName,",
     "ac_Qelcode1  =  t.ac_Qelcode,   ac_QelName1  =  t.ac_QelName,",
     "ac_Qelcode1  =  t.ac_Qelcode,   ac_QelName1  =  t.ac_QelName,",
     {}},
    {"NamedItemsInASelectList",
     "select ac_Qelcode1  =  t.ac_Qelcode,   ac_QelName1  =  t.ac_QelName,\nCr_Amt2      =  0\nfrom t",
     "select t.ac_Qelcode AS ac_Qelcode1,   t.ac_QelName AS ac_QelName1,\n0 AS Cr_Amt2\nfrom t",
     "select t.ac_Qelcode AS ac_Qelcode1,   t.ac_QelName AS ac_QelName1,\n0 AS Cr_Amt2\nfrom t",
     {}},
    {"NamedAggregates",
     "select ac_text1 = max(rtrim(ttt.ac_text1)), Cr_Amt1 = sum(ttt.cr_amt1) from x ttt",
     "select max(rtrim(ttt.ac_text1)) AS ac_text1, sum(ttt.cr_amt1) AS Cr_Amt1 from x ttt",
     "select max(rtrim(ttt.ac_text1)) AS ac_text1, sum(ttt.cr_amt1) AS Cr_Amt1 from x ttt",
     {}},
    {"TabsAndBlankRunsPassThrough",
     "   \tSelect  Tot_code = Sale_Code,   Tot_Name = Sale_Name,   \n   \tFrom    Sale_Table   ",
     "   \tSelect  Sale_Code AS Tot_code,   Sale_Name AS Tot_Name,   \n   \tFrom    Sale_Table   ",
     "   \tSelect  Sale_Code AS Tot_code,   Sale_Name AS Tot_Name,   \n   \tFrom    Sale_Table   ",
     {}},
    {"ComparisonsInWhereStay", "select a from t where b = c and d = 'x'", "select a from t where b = c and d = 'x'",
     "select a from t where b = c and d = 'x'", {}},
    {"SubqueryItemNamedAndItsWhereKept",
     "select x = (select max(a) from t where b = 1), y from u where z = 2",
     "select (select max(a) from t where b = 1) AS x, y from u where z = 2",
     "select (select max(a) from t where b = 1) AS x, y from u where z = 2",
     {}},
    {"NamedItemsInADerivedTable",
     "select * from ( select tt = '02', ac_code from test_ac_code ) t",
     "select * from ( select '02' AS tt, ac_code from test_ac_code ) t",
     "select * from ( select '02' AS tt, ac_code from test_ac_code ) t",
     {}},
    {"DistinctBeforeTheList", "select DISTINCT x = rtrim(a) from t", "select DISTINCT rtrim(a) AS x from t",
     "select DISTINCT rtrim(a) AS x from t", {}},
    {"UnionOfNamedItems", "select a = 1 from t union all select a = 2 from u Union select a = 3 from v",
     "select 1 AS a from t union all select 2 AS a from u Union select 3 AS a from v",
     "select 1 AS a from t union all select 2 AS a from u Union select 3 AS a from v", {}},
    {"SelectStarWithComputedItems",
     "Select  *,\nSawon_NameCode = (rtrim(Sawon_Name)  + '   ' + rtrim(Sawon_Code))\nFrom    Account_Qel_AA",
     "Select  *,\n(rtrim(Sawon_Name)  || '   ' || rtrim(Sawon_Code)) AS Sawon_NameCode\nFrom    Account_Qel_AA",
     "Select  *,\n(rtrim(Sawon_Name)  || '   ' || rtrim(Sawon_Code)) AS Sawon_NameCode\nFrom    Account_Qel_AA",
     {}},
    {"AsAndCountStay", "Select    Count(*)  As    Serial", "Select    Count(*)  As    Serial",
     "Select    Count(*)  As    Serial", {}},
    {"BracketedName", "select [Total] = a from t", "select a AS [Total] from t", "select a AS \"total\" from t", {}},
    {"TextColumnsJoined", "where t.Date_Day + t.Kubun_Bon like (:tbDKubun)  and rtrim(t.kubun_qel) = '3'",
     "where t.Date_Day || t.Kubun_Bon like (?)  and rtrim(t.kubun_qel) = '3'",
     "where t.Date_Day || t.Kubun_Bon ILIKE (?) ESCAPE ''  and rtrim(t.kubun_qel) = '3'", {"tbdkubun"}},
    {"TextPartsJoinedByLiterals", "Tot_No = Sale_Serial01 + '-' + Sale_Serial02 + '-' + Sale_Serial03,",
     "Tot_No = Sale_Serial01 || '-' || Sale_Serial02 || '-' || Sale_Serial03,",
     "Tot_No = Sale_Serial01 || '-' || Sale_Serial02 || '-' || Sale_Serial03,", {}},
    {"CategoryCodeOfThreeTextColumns", "and a_kubun + b_kubun + c_kubun not in ('40201','40901')",
     "and a_kubun || b_kubun || c_kubun not in ('40201','40901')",
     "and a_kubun || b_kubun || c_kubun not in ('40201','40901')", {}},
    {"NumbersAddUp", "select Cr_Amt + Dr_Amt, 1 + 2, sum(x) + 1 from t", "select Cr_Amt + Dr_Amt, 1 + 2, sum(x) + 1 from t",
     "select Cr_Amt + Dr_Amt, 1 + 2, sum(x) + 1 from t", {}},
    {"TextFunctionsJoined", "where rtrim(Date_Day) + rtrim(Serial_Qel) = :tbSerial",
     "where rtrim(Date_Day) || rtrim(Serial_Qel) = ?", "where rtrim(Date_Day) || rtrim(Serial_Qel) = ?", {"tbserial"}},
    {"ParenthesisedTextJoined", "select (rtrim(a) + '/') + b, max(rtrim(c)) + d from t",
     "select (rtrim(a) || '/') || b, max(rtrim(c)) || d from t", "select (rtrim(a) || '/') || b, max(rtrim(c)) || d from t",
     {}},
    {"ParameterJoinedToText", "where x like ('%' + :p + '%')", "where x like ('%' || ? || '%')",
     "where x ILIKE ('%' || ? || '%') ESCAPE ''", {"p"}},
    {"KoreanLiterals",
     "select  tt = '00전체합계란', ac_code\nwhere  ac_name not like ('%'+'회사설정계정'+'%')",
     "select  '00전체합계란' AS tt, ac_code\nwhere  ac_name not like ('%'||'회사설정계정'||'%')",
     "select  '00전체합계란' AS tt, ac_code\nwhere  ac_name NOT ILIKE ('%'||'회사설정계정'||'%') ESCAPE ''", {}},
    {"QuoteInsideALiteral", "select 'It''s' + a from t", "select 'It''s' || a from t", "select 'It''s' || a from t", {}},
    {"ParametersThatArePrefixesOfOthers", "values (:tbSerial, :tbSerial_Qel, :tbSerial_Bun, :tbSerial)",
     "values (?, ?, ?, ?)", "values (?, ?, ?, ?)", {"tbserial", "tbserial_qel", "tbserial_bun", "tbserial"}},
    {"RepeatedParameterOnEveryPlace",
     "where a like (:tbac_name)\nunion   all\nselect b from c where d like (:TBAC_NAME)",
     "where a like (?)\nunion   all\nselect b from c where d like (?)",
     "where a ILIKE (?) ESCAPE ''\nunion   all\nselect b from c where d ILIKE (?) ESCAPE ''", {"tbac_name", "tbac_name"}},
    {"ParameterWithBlanksInItsParentheses", "Where   rtrim(Sale_Name) like ( :tbName )",
     "Where   rtrim(Sale_Name) like ( ? )", "Where   rtrim(Sale_Name) ILIKE ( ? ) ESCAPE ''", {"tbname"}},
    {"ColonInsideALiteralIsNoParameter", "select ':tbX', 'a:b' from t where a = :p",
     "select ':tbX', 'a:b' from t where a = ?", "select ':tbX', 'a:b' from t where a = ?", {"p"}},
    {"CommentsBecomeBlanks", "select a -- it's :x + 'y'?\n/* :z */ from t where b = :p", "select a  \n  from t where b = ?",
     "select a  \n  from t where b = ?", {"p"}},
    {"PatternOfManyPartsGetsOneEscapeClause",
     "where t.a + t.b like '%' + rtrim(:p) + '\\%' and c like :q escape '!' and d not like (:r)",
     "where t.a + t.b like '%' || rtrim(?) || '\\%' and c like ? escape '!' and d not like (?)",
     "where t.a + t.b ILIKE '%' || rtrim(?) || '\\%' ESCAPE '' and c ILIKE ? escape '!' and d NOT ILIKE (?) ESCAPE ''",
     {"p", "q", "r"}},
    {"UpdateSetStays", "  Update  T\n          Set  A   = :tbA,   B    = :tbB\n  Where   C = :tbC",
     "  Update  T\n          Set  A   = ?,   B    = ?\n  Where   C = ?",
     "  Update  T\n          Set  A   = ?,   B    = ?\n  Where   C = ?", {"tba", "tbb", "tbc"}},
    // PostgreSQL reads a picked text column, and one compared with a literal, so that trailing
    // blanks do not count; inside rtrim(), a joined text or beside a parameter it stays as it is.
    {"PickedTextColumnsKeepTheirNames",
     "select t.date_day, x = t.kubun_bon, t.ac_text AS y, t.sawon_name z, t.*, rtrim(date_day) from t",
     "select t.date_day, t.kubun_bon AS x, t.ac_text AS y, t.sawon_name z, t.*, rtrim(date_day) from t",
     "select CAST(t.date_day AS bpchar) AS date_day, CAST(t.kubun_bon AS bpchar) AS x, CAST(t.ac_text AS bpchar) AS y, "
     "CAST(t.sawon_name AS bpchar) z, t.*, rtrim(date_day) from t",
     {}},
    {"DistinctTextColumnBeforeItsOrder", "select DISTINCT date_day from t order by date_day",
     "select DISTINCT date_day from t order by date_day",
     "select DISTINCT CAST(date_day AS bpchar) AS date_day from t order by date_day", {}},
    {"TextColumnComparedWithALiteral",
     "where t.date_day = '01' and '02' <> kubun_bon and rtrim(ac_text) = 'x' and date_day = :p and date_day + kubun_bon = 'ab'",
     "where t.date_day = '01' and '02' <> kubun_bon and rtrim(ac_text) = 'x' and date_day = ? and date_day || kubun_bon = 'ab'",
     "where CAST(t.date_day AS bpchar) = '01' and '02' <> CAST(kubun_bon AS bpchar) and rtrim(ac_text) = 'x' and date_day = ? "
     "and date_day || kubun_bon = 'ab'",
     {"p"}},
    {"AssignedAndNamedLiteralsStay", "update t set date_day = 'x' where kubun_bon = 'y'; select date_day = '' from t",
     "update t set date_day = 'x' where kubun_bon = 'y'; select '' AS date_day from t",
     "update t set date_day = 'x' where CAST(kubun_bon AS bpchar) = 'y'; select '' AS date_day from t", {}},
    {"InsertedColumnsKeepTheirBlanks", "insert into u select date_day from t", "insert into u select date_day from t",
     "insert into u select date_day from t", {}},
    {"NotLikeUppercasedForPostgres", "where a not like 'x%' and b like 'y%'", "where a not like 'x%' and b like 'y%'",
     "where a NOT ILIKE 'x%' ESCAPE '' and b ILIKE 'y%' ESCAPE ''", {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, Translation, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& row) { return std::string(row.param.name); });

TEST(Tokenizer, KeepsEveryCharacterInItsToken) {
    const QString sql = QStringLiteral(" Select [a b], \"c\", 'd''e한글', 12.5e3, :tbX -- note\n/* c */ <= (x)");
    const std::vector<db::Token> tokens = db::tokenize(sql);
    QString joined;
    for (const db::Token& t : tokens) joined += t.text;
    EXPECT_EQ(joined, sql);
    std::vector<db::Token::Kind> kinds;
    for (const db::Token& t : tokens)
        if (t.kind != db::Token::Kind::Blank) kinds.push_back(t.kind);
    using K = db::Token::Kind;
    const std::vector<K> expected = {K::Word,      K::QuotedIdent, K::Punct,   K::QuotedIdent, K::Punct,   K::String,
                                     K::Punct,     K::Number,      K::Punct,   K::Parameter,   K::Comment, K::Comment,
                                     K::Operator,  K::Punct,       K::Word,    K::Punct};
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(tokens[1].pos, 1);
}

struct BadRow {
    const char* name;
    const char* input;
    const char* message;
};

class Untranslatable : public testing::TestWithParam<BadRow> {};

TEST_P(Untranslatable, RaisesAnErrorNamingTheProblemAndPlace) {
    const BadRow& r = GetParam();
    for (Backend b : {Backend::SQLite, Backend::PostgreSQL}) {
        try {
            db::translate(QString::fromUtf8(r.input), b, kTextColumns);
            ADD_FAILURE() << "no error for " << r.input;
        } catch (const db::Error& e) {
            EXPECT_EQ(e.message().toStdString(), r.message);
        }
    }
}

const BadRow kBadRows[] = {
    {"UnterminatedString", "select a\nfrom t where b = 'abc",
     "Unterminated string literal at line 2, column 18 of the statement"},
    {"UnterminatedComment", "select a /* note", "Unterminated comment at line 1, column 10 of the statement"},
    {"UnterminatedBracket", "select [a from t", "Unterminated bracketed name at line 1, column 8 of the statement"},
    {"BareColon", "select a from t where b = : c", "A ':' without a parameter name at line 1, column 27 of the statement"},
    {"ColonAtTheEnd", "where b = :", "A ':' without a parameter name at line 1, column 11 of the statement"},
    {"UnclosedParenthesis", "select max(a from t",
     "Unbalanced parentheses: '(' at line 1, column 11 of the statement is never closed"},
    {"StrayClosingParenthesis", "select a) from t",
     "Unbalanced parentheses: ')' without '(' at line 1, column 9 of the statement"},
    {"PositionalPlaceholder", "select a from t where b = ?", "Unexpected character '?' at line 1, column 27 of the statement"},
    {"NamedItemWithoutExpression", "select a = from t",
     "The select item \"a =\" at line 1, column 8 of the statement has no expression"},
};

INSTANTIATE_TEST_SUITE_P(Rows, Untranslatable, testing::ValuesIn(kBadRows),
                         [](const testing::TestParamInfo<BadRow>& row) { return std::string(row.param.name); });

}  // namespace
