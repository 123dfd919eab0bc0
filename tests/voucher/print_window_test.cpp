// "P 출력" in a real window: the modal preview opens over the voucher form and prints through
// the print dialog to a PDF file; closing it empties the voucher number, after which Print
// asks for a grid line. Pictures of the preview go to print-screens/ of the working folder.

#include "report/qt/PreviewWindow.h"
#include "report/qt/QtPreviewService.h"
#include "tests/support/QtApplication.h"
#include "tests/voucher/PrintFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using vtest::row;
using vtest::today;

namespace {

// Runs `step` on the modal window of type W as soon as one is open (inside the event loop the
// modal window runs), within the time limit.
template <class W>
void whenModal(std::function<void(W&)> step) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [poll, started, step] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            step(*w);
        } else if (started->elapsed() > 20000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal " << W::staticMetaObject.className() << " opened";
        }
    });
    poll->start(20);
}

class PrintWindow : public test::QtApplicationTest<test::EngineTest> {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        vtest::storeOffices(db());
        vtest::storeBlankRows(db());
        startApplication(QStringLiteral("Brenvik"));
        report::setPreviewService(std::make_unique<rptqt::QtPreviewService>());
        database().installAsAlias(QStringLiteral("Account"));
    }
    void TearDown() override {
        stopApplication();
        fmBrenvik = nullptr;
        report::setPreviewService(nullptr);
        EngineTest::TearDown();
    }

    TfmBrenvik& start() {
        fmBrenvik = &tk::app().createForm<TfmBrenvik>();
        tk::app().event([] { fmBrenvik->show(); });
        EXPECT_TRUE(QTest::qWaitForWindowActive(tkqt::windowOf(*fmBrenvik)));
        return *fmBrenvik;
    }

    void clickGridRow(int row) {
        auto* view = qobject_cast<QAbstractItemView*>(tkqt::widgetOf(fmBrenvik->grid(QStringLiteral("DBGrid1"))));
        ASSERT_NE(view, nullptr);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 1)).center());
    }
    void clickPrint() { QTest::mouseClick(tkqt::widgetOf(fmBrenvik->button(QStringLiteral("PrintBtn"))), Qt::LeftButton); }

    QString engineName() const { return QString::fromStdString(test::engineName({GetParam(), 0})); }

};

TEST_P(PrintWindow, ThePreviewPrintsToAPdfFileAndItsCloseEmptiesTheVoucherNumber) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    storeLine(db(), row(today(), "00000", "00000001", "02"), 250000);
    TfmBrenvik& f = start();
    clickGridRow(0);
    ASSERT_EQ(f.edit("edSerial").text(), today() + "-00000001");
    QDir().mkpath(QStringLiteral("print-screens"));
    QDir().mkpath(QStringLiteral("print-output"));
    const QString png = QStringLiteral("print-screens/preview-%1.png").arg(engineName());
    const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("print-output/printed-%1.pdf").arg(engineName()));
    QFile::remove(png);
    QFile::remove(pdf);

    bool seen = false;
    whenModal<rptqt::PreviewWindow>([&](rptqt::PreviewWindow& preview) {
        seen = true;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        EXPECT_EQ(vtest::printedRows(preview.report()).size(), 10u);
        EXPECT_EQ(f.edit("edSerial").text(), today() + "-00000001");  // until it closes
        QTest::qWait(200);
        EXPECT_TRUE(preview.grab().save(png, "PNG"));
        // The clerk prints to a file: names it and presses the dialog's print button.
        whenModal<QPrintDialog>([&](QPrintDialog& dialog) {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
            auto* buttons = dialog.findChild<QDialogButtonBox*>();
            if (!name || !buttons) {
                ADD_FAILURE() << "the print dialog has no file name or buttons";
                dialog.reject();
                return;
            }
            name->selectAll();
            QTest::keyClicks(name, pdf);
            for (QAbstractButton* b : buttons->buttons())
                if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole) QTest::mouseClick(b, Qt::LeftButton);
        });
        QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("print")), Qt::LeftButton);
        QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
    });
    clickPrint();

    EXPECT_TRUE(seen);
    EXPECT_TRUE(QFile::exists(png));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << pdf.toStdString();
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
    EXPECT_EQ(f.edit("edSerial").text(), QString());
    EXPECT_TRUE(messages_->log().empty());

    // With the number gone Print asks for a grid line and opens nothing.
    clickPrint();
    EXPECT_EQ(messages_->texts(), QStringList({QStringLiteral("그리드의 레코드를 선택하세요....")}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(f.activeControl()->name(), QStringLiteral("PrintBtn"));
}

INSTANTIATE_TEST_SUITE_P(Engines, PrintWindow, test::allEngines, test::engineName);

}  // namespace
