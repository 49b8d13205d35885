#pragma once

// One rollup: a title bar that collapses and expands it, over the rollup's
// dialog with a widget for each of its controls at its template place.

#include <QToolButton>
#include <QWidget>
#include <vector>

#include "studio/qt/control_widget.h"
#include "studio/qt/dialog_units.h"

namespace studio::qt {

class RollupPanel : public QWidget {
public:
    RollupPanel(HWND dialog, const QString& title, const DialogUnits& units, ActionRunner& runner,
                QWidget* parent);

    HWND Dialog() const { return dialog; }
    QString Title() const { return titleBar->text(); }
    bool Expanded() const { return body->isVisible(); }
    void SetExpanded(bool on);
    QToolButton* TitleBar() const { return titleBar; }
    const std::vector<ControlWidget*>& Controls() const { return controls; }
    /// The widget of control `id`, or null.
    ControlWidget* Control(int id) const;
    void Sync();

private:
    HWND dialog;
    QToolButton* titleBar;
    QWidget* body;
    std::vector<ControlWidget*> controls;
};

}  // namespace studio::qt
