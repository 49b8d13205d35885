#pragma once

// The rollups of the material editor, stacked in a scrolling column.

#include <QScrollArea>
#include <vector>

#include "studio/qt/rollup_panel.h"
#include "studio/ui/material_editor_host.h"

namespace studio::qt {

class RollupView : public QScrollArea {
public:
    RollupView(ActionRunner& runner, QWidget* parent);

    /// Rebuilds the panels from the rollups of `host`.
    void Show(const MaterialEditorHost& host);
    const std::vector<RollupPanel*>& Panels() const { return panels; }
    /// The panel titled `title`, or null.
    RollupPanel* Panel(const QString& title) const;
    /// Every control widget shows its window's state.
    void Sync();
    const DialogUnits& Units() const { return units; }

private:
    ActionRunner& runner;
    DialogUnits units;
    std::vector<RollupPanel*> panels;
};

}  // namespace studio::qt
