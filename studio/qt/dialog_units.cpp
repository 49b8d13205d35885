#include "studio/qt/dialog_units.h"

#include <QApplication>
#include <QFontMetrics>

namespace studio::qt {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, rounded as the dialog manager does.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    charWidth = (letters / 26 + 1) / 2;
    charHeight = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int cx, int cy) const {
    const int left = X(x), top = Y(y);
    return QRect(left, top, X(x + cx) - left, Y(y + cy) - top);
}

QFont DialogUnits::RollupFont() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    return font;
}

}  // namespace studio::qt
