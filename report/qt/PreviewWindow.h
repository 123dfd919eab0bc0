#pragma once
// The preview of a filled report: its pages as they print, zoom, paging, and printing
// through the print dialog (whose print-to-file writes a PDF).

#include "report/FilledReport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace rptqt {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(report::FilledReport report, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const report::FilledReport& report() const { return report_; }
    int currentPage() const { return page_; }  // 0-based
    void showPage(int page);

    enum class Zoom { WholePage, PageWidth, Actual };
    void setZoom(Zoom zoom);

    // The print dialog, then the chosen printer or file; false when nothing was printed.
    bool printReport();

protected:
    // The fitting zooms follow the size of the page's viewport.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const QString& objectName, const QString& text);
    void updateView();

    report::FilledReport report_;
    int page_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* prior_ = nullptr;
    QPushButton* next_ = nullptr;
};

}  // namespace rptqt
