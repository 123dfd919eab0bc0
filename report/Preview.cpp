#include "report/Preview.h"

namespace report {

namespace {
std::unique_ptr<PreviewService>& installed() {
    static std::unique_ptr<PreviewService> service = std::make_unique<RecordingPreviewService>();
    return service;
}
}  // namespace

PreviewService& previewService() { return *installed(); }

PreviewService& setPreviewService(std::unique_ptr<PreviewService> service) {
    installed() = service ? std::move(service) : std::make_unique<RecordingPreviewService>();
    return *installed();
}

}  // namespace report
