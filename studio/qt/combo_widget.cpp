#include "studio/qt/combo_widget.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

#include "studio/ui/standard_controls.h"

namespace studio::qt {

ComboWidget::ComboWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent), box(new QComboBox(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    layout->addStretch();
    connect(box, &QComboBox::activated, this,
            [this](int index) { Act([this, index] { ChooseListItem(Handle(), index); }); });
}

void ComboWidget::Sync() {
    const Window* w = State();
    if (!w) return;
    const QSignalBlocker blocker(box);
    QStringList items;
    for (const std::string& item : w->items) items << QString::fromStdString(item);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    if (items != shown) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(w->selection);
    box->setEnabled(!w->HasStyle(window_style::Disabled));
}

}  // namespace studio::qt
