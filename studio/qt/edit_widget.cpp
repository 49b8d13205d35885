#include "studio/qt/edit_widget.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "studio/ui/custom_controls.h"

namespace studio::qt {

EditWidget::EditWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent), line(new QLineEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(line);
    line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line->setTextMargins(0, 0, 0, 0);
    line->installEventFilter(this);
    connect(line, &QLineEdit::editingFinished, this, [this] { Commit(); });
}

void EditWidget::Sync() {
    const Window* w = State();
    if (!w) return;
    // Text the user is still typing stays until it is committed or dropped.
    if (line->hasFocus() && line->isModified()) return;
    const QString text = WindowText(*w);
    if (line->text() != text) line->setText(text);
    line->setModified(false);
    line->setEnabled(!w->HasStyle(window_style::Disabled));
}

void EditWidget::Commit() {
    if (!line->isModified()) return;
    line->setModified(false);
    const std::string typed = line->text().toStdString();
    Act([this, typed] {
        TypeInEdit(Handle(), typed);
        CommitEdit(Handle());
    });
}

bool EditWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == line && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && line->isModified()) {
        line->setModified(false);
        Sync();
        line->selectAll();
        return true;
    }
    return ControlWidget::eventFilter(watched, event);
}

}  // namespace studio::qt
