#include "studio/qt/rollup_view.h"

#include <QScrollBar>
#include <QVBoxLayout>

namespace studio::qt {

RollupView::RollupView(ActionRunner& actions, QWidget* parent)
    : QScrollArea(parent), runner(actions), units(DialogUnits::RollupFont()) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
}

void RollupView::Show(const MaterialEditorHost& host) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    panels.clear();
    int widest = 0;
    for (const Rollup& rollup : host.Rollups()) {
        auto* panel = new RollupPanel(rollup.window, QString::fromStdString(rollup.title), units, runner, column);
        layout->addWidget(panel);
        panels.push_back(panel);
        widest = std::max(widest, panel->sizeHint().width());
    }
    layout->addStretch();
    setWidget(column);  // deletes the previous column and its panels
    setMinimumWidth(widest + 8 + verticalScrollBar()->sizeHint().width());
}

RollupPanel* RollupView::Panel(const QString& title) const {
    for (RollupPanel* panel : panels)
        if (panel->Title() == title) return panel;
    return nullptr;
}

void RollupView::Sync() {
    for (RollupPanel* panel : panels) panel->Sync();
}

}  // namespace studio::qt
