#pragma once
// The preview service on real windows: a modal preview window over the active window.

#include "report/Preview.h"

namespace rptqt {

class QtPreviewService : public report::PreviewService {
public:
    void preview(const report::FilledReport& report) override;
};

}  // namespace rptqt
