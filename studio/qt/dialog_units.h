#pragma once

// Dialog units to pixels for the rollups' 8-point UI font, the way dialog
// templates are laid out: x × average character width / 4,
// y × character height / 8.

#include <QFont>
#include <QRect>

namespace studio::qt {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return (units * charWidth + 2) / 4; }
    int Y(int units) const { return (units * charHeight + 4) / 8; }
    QRect Rect(int x, int y, int cx, int cy) const;

    int CharWidth() const { return charWidth; }
    int CharHeight() const { return charHeight; }

    /// The font rollups are drawn with: the UI font at 8 points.
    static QFont RollupFont();

private:
    int charWidth;
    int charHeight;
};

}  // namespace studio::qt
