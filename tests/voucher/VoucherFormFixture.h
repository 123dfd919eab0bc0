#pragma once
// The voucher form on a real database of either engine, driven headless by a clerk. Tests
// store their rows first, then start() creates the form as the program block does.

#include "db/Query.h"
#include "tests/support/Engines.h"
#include "tests/voucher/StoredRows.h"
#include "programs/BrenvikForms.h"
#include "tests/support/Clerk.h"
#include "toolkit/Application.h"
#include "toolkit/Services.h"
#include "voucher/Qel_Unit3.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace vtest {

// Offices stored out of their code order; the list shows them in code order.
inline void storeOffices(db::Database& db) {
    db::Query q(db);
    q.setSql({QStringLiteral("insert into Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo) values (:tbCode, :tbName, :tbPlace)")});
    const QStringList rows[] = {{QStringLiteral("00002"), QStringLiteral("대구지점"), QStringLiteral("대구 수성구")},
                                {QStringLiteral("00000"), QStringLiteral("본사"), QStringLiteral("서울 중구")},
                                {QStringLiteral("00001"), QStringLiteral("부산지점"), QStringLiteral("부산 해운대구")}};
    for (const QStringList& r : rows) {
        q.setParamText(QStringLiteral("tbCode"), r[0]);
        q.setParamText(QStringLiteral("tbName"), r[1]);
        q.setParamText(QStringLiteral("tbPlace"), r[2]);
        q.execSql();
    }
}

// On both engines; Param is the engine, or an engine and a table row (test::EngineTestOf).
template <class Param>
class VoucherFormTestOf : public test::EngineTestOf<Param> {
protected:
    void SetUp() override {
        test::EngineTestOf<Param>::SetUp();
        storeOffices(this->db());
    }

    void TearDown() override {
        clerk_.reset();
        db::Database::setNotice(nullptr);
        tk::app().reset();
        fmBrenvik = nullptr;
        test::EngineTestOf<Param>::TearDown();
    }

    // Creates Brenvik's forms as the program block does, on this test's database, and shows
    // the voucher form.
    // Another program's forms come from its own creation function.
    TfmBrenvik& start(TfmBrenvik& (*createForms)() = &createBrenvikForms) {
        this->database().installAsAlias(QStringLiteral("Account"));
        return startOnTheAlias(createForms);
    }
    // The same on the alias "Account" as the engine finds it (a test that names it in the
    // engine's configuration file).
    TfmBrenvik& startOnTheAlias(const std::function<TfmBrenvik&()>& createForms) {
        tk::app().initialize(QStringLiteral("Brenvik"));
        // The engine's notices reach the clerk as the program block routes them.
        db::Database::setNotice(&tk::showWarning);
        form_ = &createForms();
        tk::app().run();
        clerk_ = std::make_unique<tk::Clerk>(*form_);
        return *form_;
    }

    TfmBrenvik& form() { return *form_; }
    tk::Clerk& clerk() { return *clerk_; }

    tk::RecordingMessageService& messages() {
        return dynamic_cast<tk::RecordingMessageService&>(tk::app().messages());
    }

    // The grid's rows as voucher number and line number joined, in the grid's order.
    QStringList gridKeys() {
        db::Query& q = form().query(QStringLiteral("Query1"));
        QStringList keys;
        const int col = q.fieldIndex(QStringLiteral("serial_ttt"));
        for (int row = 0; row < q.recordCount(); ++row) keys << q.text(row, col);
        return keys;
    }
    QStringList sortedGridKeys() {
        QStringList keys = gridKeys();
        keys.sort();
        return keys;
    }

    // Which of the six buttons are enabled, as "+" and "-" from left to right.
    QString buttons() {
        QString out;
        for (const char* b : {"InsertBtn", "CancelBtn", "SaveBtn", "DeleteBtn", "PrintBtn", "CloseBtn"}) {
            out += form().button(QLatin1String(b)).enabled() ? QLatin1Char('+') : QLatin1Char('-');
        }
        return out;
    }

    QString activeName() {
        tk::Control* c = form().activeControl();
        return c ? c->name() : QString();
    }

private:
    std::unique_ptr<tk::Clerk> clerk_;
    TfmBrenvik* form_ = nullptr;
};

class VoucherFormTest : public VoucherFormTestOf<test::Engine> {};

}  // namespace vtest
