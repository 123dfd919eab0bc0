#pragma once
// Value types of the report: fonts, alignment, band frames, the page.

#include <QString>

namespace report {

struct Font {
    QString family = QStringLiteral("굴림");
    double pointSize = 9;
    bool bold = false;
    bool operator==(const Font& o) const { return family == o.family && pointSize == o.pointSize && bold == o.bold; }
};

enum class Align { Left, Center, Right };

// The sides of a band that carry a rule.
struct Frame {
    bool top = false, bottom = false, left = false, right = false;
};

// The paper as it is printed (landscape: the long side across), margins in millimetres.
struct PageSetup {
    QString paper = QStringLiteral("A4");
    double width = 210, height = 297;
    bool landscape = false;
    double leftMargin = 10, topMargin = 10, rightMargin = 10, bottomMargin = 10;
    double printableWidth() const { return width - leftMargin - rightMargin; }
    double printableHeight() const { return height - topMargin - bottomMargin; }
};

}  // namespace report
