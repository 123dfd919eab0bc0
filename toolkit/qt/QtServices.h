#pragma once
// Message boxes and the hourglass pointer on real windows.

#include "toolkit/Services.h"

namespace tkqt {

// A modal box with one OK button: the warning box, the plain message box, the error dialog.
class QtMessageService : public tk::MessageService {
public:
    void show(const tk::Message& m) override;
};

class QtCursorService : public tk::CursorService {
public:
    ~QtCursorService() override;
    void setHourglass(bool on) override;

private:
    bool hourglass_ = false;
};

}  // namespace tkqt
