#pragma once

// CustEdit windows: a spinner's edit. Typing changes only the text shown;
// Enter (or leaving the field) hands the text to the layer (TypeInEdit,
// CommitEdit); Escape brings back the value shown before.

#include <QLineEdit>

#include "studio/qt/control_widget.h"

namespace studio::qt {

class EditWidget : public ControlWidget {
public:
    EditWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override;
    QLineEdit* Line() const { return line; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Commit();
    QLineEdit* line;
};

}  // namespace studio::qt
