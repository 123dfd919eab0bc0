#pragma once
// Showing a filled report in a preview, as a service a widgetset replaces: headless, the
// previews asked for are recorded; the Qt widgetset opens a modal preview window, from
// which the clerk prints.

#include "report/FilledReport.h"

#include <memory>
#include <vector>

namespace report {

class PreviewService {
public:
    virtual ~PreviewService() = default;
    // Returns when the preview is closed.
    virtual void preview(const FilledReport& report) = 0;
};

// Headless: keeps every report asked for, in order, and returns at once.
class RecordingPreviewService : public PreviewService {
public:
    void preview(const FilledReport& report) override { shown_.push_back(report); }
    const std::vector<FilledReport>& shown() const { return shown_; }

private:
    std::vector<FilledReport> shown_;
};

// The installed service; a recording one until another is installed.
PreviewService& previewService();
// Installs a service (null: a fresh recording one) and returns it.
PreviewService& setPreviewService(std::unique_ptr<PreviewService> service);

}  // namespace report
