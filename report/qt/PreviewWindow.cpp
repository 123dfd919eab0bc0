#include "report/qt/PreviewWindow.h"

#include "report/qt/Painter.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace rptqt {

// One page drawn at the zoom of the window.
class PageView : public QWidget {
public:
    explicit PageView(QWidget* parent) : QWidget(parent) {}

    void show(const report::FilledPage* page, const report::PageSetup& setup, double pixelsPerMm) {
        page_ = page;
        pixelsPerMm_ = pixelsPerMm;
        setFixedSize(qRound(setup.width * pixelsPerMm), qRound(setup.height * pixelsPerMm));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (page_) paintPage(p, *page_, pixelsPerMm_);
    }

private:
    const report::FilledPage* page_ = nullptr;
    double pixelsPerMm_ = 1;
};

namespace {
constexpr int kPageGap = 12;  // grey around the page
}

PreviewWindow::PreviewWindow(report::FilledReport report, QWidget* parent)
    : QDialog(parent), report_(std::move(report)) {
    setWindowTitle(QStringLiteral("인쇄 미리 보기"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto* bar = new QHBoxLayout;
    QPushButton* whole = addButton(QStringLiteral("wholePage"), QStringLiteral("전체 페이지"));
    QPushButton* width = addButton(QStringLiteral("pageWidth"), QStringLiteral("페이지 폭"));
    QPushButton* actual = addButton(QStringLiteral("actualSize"), QStringLiteral("100%"));
    prior_ = addButton(QStringLiteral("priorPage"), QStringLiteral("◀ 이전"));
    next_ = addButton(QStringLiteral("nextPage"), QStringLiteral("다음 ▶"));
    pageLabel_ = new QLabel(this);
    QPushButton* print = addButton(QStringLiteral("print"), QStringLiteral("&P 인쇄..."));
    QPushButton* close = addButton(QStringLiteral("close"), QStringLiteral("&X 닫기"));
    for (QWidget* w : std::initializer_list<QWidget*>{whole, width, actual, prior_, next_, pageLabel_}) bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(close);

    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignCenter);
    view_ = new PageView(scroll_);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(whole, &QPushButton::clicked, this, [this] { setZoom(Zoom::WholePage); });
    connect(width, &QPushButton::clicked, this, [this] { setZoom(Zoom::PageWidth); });
    connect(actual, &QPushButton::clicked, this, [this] { setZoom(Zoom::Actual); });
    connect(prior_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(print, &QPushButton::clicked, this, [this] { printReport(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(1200, screen.width() * 9 / 10), std::min(860, screen.height() * 9 / 10));
    updateView();
}

PreviewWindow::~PreviewWindow() = default;

QPushButton* PreviewWindow::addButton(const QString& objectName, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

void PreviewWindow::showPage(int page) {
    const int last = int(report_.pages.size()) - 1;
    page_ = std::clamp(page, 0, std::max(0, last));
    updateView();
}

void PreviewWindow::setZoom(Zoom zoom) {
    zoom_ = zoom;
    updateView();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && zoom_ != Zoom::Actual) updateView();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::updateView() {
    const report::PageSetup& setup = report_.page;
    const double screenPixelsPerMm = logicalDpiX() / 25.4;
    const QSize room = scroll_->viewport()->size() - QSize(2 * kPageGap, 2 * kPageGap);
    const double byWidth = room.width() / setup.width;
    const double byHeight = room.height() / setup.height;
    double pixelsPerMm = screenPixelsPerMm;
    if (zoom_ == Zoom::PageWidth) pixelsPerMm = byWidth;
    if (zoom_ == Zoom::WholePage) pixelsPerMm = std::min(byWidth, byHeight);
    const int count = int(report_.pages.size());
    view_->show(count > 0 ? &report_.pages[std::size_t(page_)] : nullptr, setup, std::max(0.5, pixelsPerMm));
    pageLabel_->setText(QStringLiteral("%1 / %2").arg(count > 0 ? page_ + 1 : 0).arg(count));
    prior_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < count);
}

bool PreviewWindow::printReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayout(report_.page));
    printer.setFullPage(true);
    printer.setDocName(report_.name);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, int(report_.pages.size())));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted) return false;
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (paintReport(printer, report_, range ? printer.fromPage() : 0, range ? printer.toPage() : 0)) return true;
    QMessageBox::warning(this, windowTitle(), QStringLiteral("인쇄하지 못했습니다: 프린터나 파일을 열 수 없습니다."));
    return false;
}

}  // namespace rptqt
