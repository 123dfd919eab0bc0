#include "report/qt/QtPreviewService.h"

#include "report/qt/PreviewWindow.h"

#include <QApplication>

namespace rptqt {

void QtPreviewService::preview(const report::FilledReport& report) {
    PreviewWindow window(report, QApplication::activeWindow());
    window.exec();
}

}  // namespace rptqt
