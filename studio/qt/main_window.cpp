#include "studio/qt/main_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include "studio/core/undo_stack.h"
#include "studio/ui/window_system.h"

namespace studio::qt {
namespace {
constexpr int SphereSize = 176;
constexpr int SwatchSize = 96;
constexpr int ParameterRollup = 1;  // after "About Tintora"
}  // namespace

MainWindow::MainWindow(std::unique_ptr<StudioSession> owned, QWidget* parent)
    : QMainWindow(parent), session(std::move(owned)),
      preview(std::make_unique<PreviewWorker>(SwatchSize, SphereSize)) {
    Windows().SetMessageBoxProvider([this](HWND, std::string_view text, std::string_view caption, UINT type) {
        return AskMessageBox(text, caption, type);
    });
    session->Host().SetTextureChooser([this](MtlBase& texture, int slot) { return ChooseTexture(texture, slot); });
    connect(preview.get(), &PreviewWorker::Rendered, this, &MainWindow::ShowPreview);

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    previewPanel = new PreviewPanel(SphereSize, SwatchSize, central);
    left->addWidget(previewPanel);
    pathLabel = new QLabel(central);
    pathLabel->setWordWrap(true);
    pathLabel->setMaximumWidth(SphereSize + 2);
    left->addWidget(pathLabel);
    left->addStretch();
    columns->addLayout(left);
    rollups = new RollupView(*this, central);
    columns->addWidget(rollups, 1);
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(central, 1);
    pageLayout->addWidget(BuildTimeBar());
    setCentralWidget(page);
    BuildMenus();
    statusBar();

    rollups->Show(session->Host());
    Run([] {});
    // Tall enough for both rollups open.
    resize(sizeHint().width(), 720);
}

MainWindow::~MainWindow() {
    Windows().SetMessageBoxProvider(nullptr);
    session->Host().SetTextureChooser(nullptr);
    preview.reset();  // the worker stops before the textures go
}

void MainWindow::Run(const std::function<void()>& action) {
    PreviewWorker::Pause pause(*preview);
    if (running) {  // inside another action, which pumps and refreshes when it ends
        action();
        return;
    }
    running = true;
    action();
    Windows().Pump();
    AfterEdit();
    running = false;
}

void MainWindow::AfterEdit() {
    if (!TheUndoStack().Holding()) {
        session->ReloadEditorIfChanged();
        if (session->FollowEditedPath()) Windows().Pump();
    }
    rollups->Sync();
    UpdateActions();
    UpdateTitle();
    RequestPreview();
}

ControlWidget* MainWindow::Control(int id) const {
    const auto& panels = rollups->Panels();
    return panels.size() > ParameterRollup ? panels[ParameterRollup]->Control(id) : nullptr;
}

void MainWindow::RequestPreview() { preview->Request(session->Edited(), session->Time()); }

void MainWindow::ShowPreview(const QImage& swatch, const QImage& sphere) {
    previewPanel->Show(swatch, sphere);
    Q_EMIT PreviewShown();
}

void MainWindow::UpdateTitle() {
    const QString path = QString::fromStdString(session->Path());
    const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    setWindowTitle(name + QStringLiteral("[*] — Tintora Studio"));
    setWindowModified(session->Modified());
    QStringList steps;
    const auto& maps = session->EditedPath();
    for (std::size_t i = 0; i < maps.size(); ++i) {
        auto* texture = dynamic_cast<MtlBase*>(maps[i]);
        QString step = texture ? QString::fromStdString(texture->GetName().str()) : QString();
        if (step.isEmpty()) step = i == 0 ? tr("Tintora") : tr("Nested Tintora");
        steps << step;
    }
    pathLabel->setText(tr("Editing: %1").arg(steps.join(QStringLiteral(" › "))));
    previewPanel->SetCaption(tr("Frame %1").arg(session->Time() / TicksPerFrame));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (MaybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::ReportProblem(const QString& title, const std::string& problem) {
    statusBar()->showMessage(QString::fromStdString(problem), 10000);
    if (!hooks.messageBox) QMessageBox::warning(this, title, QString::fromStdString(problem));
}

}  // namespace studio::qt
