#pragma once
// Operating-system family, screen size and work area, and the centring of a window on them.
// The widgetset supplies the metrics (this layer draws nothing itself).

#include <functional>

namespace platform {

constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;  // the Windows 9x family
constexpr int VER_PLATFORM_WIN32_NT = 2;       // the NT family

// The platform identifier of the version record; Linux answers as the NT family.
int versionPlatformId();

// right and bottom are exclusive, as in a Windows RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Position {
    int left = 0;
    int top = 0;
    bool operator==(const Position& o) const { return left == o.left && top == o.top; }
};

// Installs where the metrics come from; an empty function falls back to a 1024x768 screen
// whose work area is the whole screen.
void setScreenMetricsProvider(std::function<Rect()> workArea, std::function<Size()> screenSize);

Rect workArea();
Size screenSize();

// Where a window of this outer size goes: centred in a box of the work area's size
// (Windows 9x family) or of the screen's size (otherwise), placed at the screen's corner.
Position centeredPosition(int platformId, const Rect& workArea, const Size& screen, int formWidth,
                          int formHeight);
// The same with this system's family and metrics.
Position centeredPosition(int formWidth, int formHeight);

}  // namespace platform
