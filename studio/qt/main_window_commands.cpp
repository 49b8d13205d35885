// The main window's menus, time bar and commands.

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "studio/qt/main_window.h"

namespace studio::qt {
namespace {

QString UndoText(const QString& verb, const std::vector<std::string>& names) {
    return names.empty() ? verb : verb + QLatin1Char(' ') + QString::fromStdString(names.front());
}

QString SceneFilter() { return QObject::tr("Tintora scenes (*.tnts);;All files (*)"); }

}  // namespace

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, [this] { NewScene(); });
    file->addAction(tr("&Open…"), QKeySequence::Open, this, [this] { OpenScene(); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveScene(); });
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, [this] { SaveSceneAs(); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    undoAction = edit->addAction(tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), this,
                                 [this] { Run([] { TheUndoStack().Undo(); }); });
    redoAction = edit->addAction(tr("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), this,
                                 [this] { Run([] { TheUndoStack().Redo(); }); });

    QMenu* texture = menuBar()->addMenu(tr("&Texture"));
    subTextureMenu = texture->addMenu(tr("Go to &Sub-texture"));
    connect(subTextureMenu, &QMenu::aboutToShow, this, [this] { FillSubTextureMenu(); });
    parentAction = texture->addAction(tr("Go to &Parent"), QKeySequence(Qt::ALT | Qt::Key_Up), this,
                                      [this] { LeaveSubTexture(); });
}

QWidget* MainWindow::BuildTimeBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 4, 8, 4);
    timeSlider = new QSlider(Qt::Horizontal, bar);
    timeSlider->setRange(0, LastFrame);
    timeSlider->setTickPosition(QSlider::TicksBelow);
    timeSlider->setTickInterval(10);
    frameField = new QSpinBox(bar);
    frameField->setRange(0, LastFrame);
    frameField->setToolTip(tr("Current frame"));
    autoKeyButton = new QToolButton(bar);
    autoKeyButton->setText(tr("Auto Key"));
    autoKeyButton->setCheckable(true);
    autoKeyButton->setToolTip(tr("When on, changes at frames other than 0 make animation keys"));
    autoKeyButton->setStyleSheet(QStringLiteral("QToolButton:checked { background: #c0392b; color: white; }"));
    layout->addWidget(new QLabel(tr("Frame"), bar));
    layout->addWidget(timeSlider, 1);
    layout->addWidget(frameField);
    layout->addWidget(autoKeyButton);
    connect(timeSlider, &QSlider::valueChanged, this, [this](int frame) { SetFrame(frame); });
    connect(frameField, &QSpinBox::valueChanged, this, [this](int frame) { SetFrame(frame); });
    connect(autoKeyButton, &QToolButton::toggled, this, [](bool on) { SetAutoKey(on); });
    return bar;
}

void MainWindow::SetFrame(int frame) {
    if (timeSlider->value() != frame) timeSlider->setValue(frame);
    if (frameField->value() != frame) frameField->setValue(frame);
    const TimeValue t = frame * TicksPerFrame;
    if (t != session->Time()) Run([this, t] { session->SetTime(t); });
}

void MainWindow::UpdateActions() {
    const UndoStack& undo = TheUndoStack();
    undoAction->setText(UndoText(tr("&Undo"), undo.UndoNames()));
    redoAction->setText(UndoText(tr("&Redo"), undo.RedoNames()));
    undoAction->setEnabled(undo.CanUndo());
    redoAction->setEnabled(undo.CanRedo());
    parentAction->setEnabled(session->EditedPath().size() > 1);
    subTextureMenu->setEnabled(!session->NestedTintoras().empty());
}

void MainWindow::FillSubTextureMenu() {
    subTextureMenu->clear();
    Texmap* edited = session->Edited();
    for (const auto& [slot, map] : session->NestedTintoras()) {
        const QString label = QString::fromStdString(edited->GetSubTexmapSlotName(slot).str()) +
                              QStringLiteral(": ") + QString::fromStdString(map->GetFullName().str());
        subTextureMenu->addAction(label, this, [this, s = slot] { EnterSubTexture(s); });
    }
}

bool MainWindow::EnterSubTexture(int slot) {
    bool entered = false;
    Run([&] { entered = session->EnterSubTexture(slot); });
    return entered;
}

bool MainWindow::LeaveSubTexture() {
    bool left = false;
    Run([&] { left = session->LeaveSubTexture(); });
    return left;
}

bool MainWindow::MaybeSave() {
    if (!session->Modified()) return true;
    const QMessageBox::StandardButton answer =
        hooks.unsavedChanges
            ? hooks.unsavedChanges()
            : QMessageBox::warning(this, tr("Unsaved changes"), tr("The texture has changes that are not saved."),
                                   QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return SaveScene();
    return answer == QMessageBox::Discard;
}

bool MainWindow::NewScene() {
    if (!MaybeSave()) return false;
    std::string problem;
    Run([&] { problem = session->NewScene(); });
    if (!problem.empty()) ReportProblem(tr("New"), problem);
    return problem.empty();
}

bool MainWindow::OpenScene() {
    if (!MaybeSave()) return false;
    const QString path =
        hooks.openFile ? hooks.openFile() : QFileDialog::getOpenFileName(this, tr("Open Scene"), QString(), SceneFilter());
    return !path.isEmpty() && OpenScene(path);
}

bool MainWindow::OpenScene(const QString& path) {
    std::string problem;
    Run([&] { problem = session->OpenScene(path.toStdString()); });
    if (!problem.empty()) {
        ReportProblem(tr("Open"), problem);
        return false;
    }
    for (const std::string& warning : session->Warnings()) statusBar()->showMessage(QString::fromStdString(warning));
    return true;
}

bool MainWindow::SaveScene() {
    if (session->Path().empty()) return SaveSceneAs();
    return SaveTo(QString::fromStdString(session->Path()));
}

bool MainWindow::SaveSceneAs() {
    QString path =
        hooks.saveFile ? hooks.saveFile() : QFileDialog::getSaveFileName(this, tr("Save Scene"), QString(), SceneFilter());
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".tnts");
    return SaveTo(path);
}

bool MainWindow::SaveTo(const QString& path) {
    std::string problem;
    Run([&] { problem = session->SaveScene(path.toStdString()); });
    if (!problem.empty()) {
        ReportProblem(tr("Save"), problem);
        return false;
    }
    statusBar()->showMessage(tr("Saved %1").arg(path), 5000);
    return true;
}

std::optional<Texmap*> MainWindow::ChooseTexture(MtlBase& texture, int slot) {
    const QString slotName = QString::fromStdString(texture.GetSubTexmapSlotName(slot).str());
    const std::optional<TextureChoice> choice =
        hooks.chooseTexture ? hooks.chooseTexture(slotName) : AskTextureChoice(this, slotName);
    if (!choice) return std::nullopt;
    std::string problem;
    const std::optional<Texmap*> made = MakeChosenTexture(*choice, session->Classes(), problem);
    if (!problem.empty()) statusBar()->showMessage(QString::fromStdString(problem), 10000);
    return made;
}

int MainWindow::AskMessageBox(std::string_view text, std::string_view caption, UINT type) {
    if (hooks.messageBox) return hooks.messageBox(text, caption, type);
    QMessageBox box(this);
    box.setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    box.setWindowTitle(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
    switch (type & 0xF0) {
    case 0x10: box.setIcon(QMessageBox::Critical); break;
    case 0x20: box.setIcon(QMessageBox::Question); break;
    case 0x30: box.setIcon(QMessageBox::Warning); break;
    case 0x40: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    // Button sets by the low bits, answered with the numbers the layer uses.
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    static const std::vector<Choice> sets[] = {
        {{QMessageBox::Ok, 1}},
        {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}},
        {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}},
        {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}},
        {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}},
        {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}},
    };
    const std::vector<Choice>& buttons = sets[(type & 0xF) < 6 ? (type & 0xF) : 0];
    for (const Choice& c : buttons) box.addButton(c.button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& c : buttons)
        if (c.button == clicked) return c.answer;
    return 2;
}

}  // namespace studio::qt
