#pragma once
// A test's application started afresh with the Qt widgetset, its messages recorded (a test
// that looks at the real boxes installs the Qt service itself). `Base` is the fixture it
// builds on (plain, or one that runs on both engines); SetUp and TearDown call start and stop.

#include "toolkit/Application.h"
#include "toolkit/qt/QtWidgetset.h"

#include <QString>
#include <memory>

namespace test {

template <class Base>
class QtApplicationTest : public Base {
protected:
    void startApplication(const QString& title) {
        tk::app().initialize(title);
        widgetset_ = tkqt::install(tk::app());
        auto recording = std::make_unique<tk::RecordingMessageService>();
        messages_ = recording.get();
        tk::app().setMessageService(std::move(recording));
    }

    void stopApplication() {
        widgetset_.reset();  // the windows go before their forms
        tk::app().reset();
        messages_ = nullptr;
    }

    std::unique_ptr<tkqt::QtWidgetset> widgetset_;
    tk::RecordingMessageService* messages_ = nullptr;
};

}  // namespace test
