#pragma once

// COMBOBOX windows (drop-down lists): choosing an item is the layer's
// ChooseListItem; items and selection shown are the window's.

#include <QComboBox>

#include "studio/qt/control_widget.h"

namespace studio::qt {

class ComboWidget : public ControlWidget {
public:
    ComboWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override;
    QComboBox* Box() const { return box; }

private:
    QComboBox* box;
};

}  // namespace studio::qt
