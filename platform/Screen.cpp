#include "platform/Screen.h"

#include <utility>

namespace platform {

namespace {

constexpr Size kDefaultScreen{1024, 768};

struct Providers {
    std::function<Rect()> workArea;
    std::function<Size()> screenSize;
};

Providers& providers() {
    static Providers p;
    return p;
}

}  // namespace

int versionPlatformId() { return VER_PLATFORM_WIN32_NT; }

void setScreenMetricsProvider(std::function<Rect()> workArea, std::function<Size()> screenSize) {
    providers().workArea = std::move(workArea);
    providers().screenSize = std::move(screenSize);
}

Rect workArea() {
    if (providers().workArea) return providers().workArea();
    return Rect{0, 0, kDefaultScreen.width, kDefaultScreen.height};
}

Size screenSize() {
    if (providers().screenSize) return providers().screenSize();
    return kDefaultScreen;
}

Position centeredPosition(int platformId, const Rect& area, const Size& screen, int formWidth,
                          int formHeight) {
    // C++ integer division truncates toward zero, as the arithmetic asks (-3 / 2 == -1).
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        return Position{(area.right - area.left - formWidth) / 2, (area.bottom - area.top - formHeight) / 2};
    }
    return Position{(screen.width - formWidth) / 2, (screen.height - formHeight) / 2};
}

Position centeredPosition(int formWidth, int formHeight) {
    return centeredPosition(versionPlatformId(), workArea(), screenSize(), formWidth, formHeight);
}

}  // namespace platform
