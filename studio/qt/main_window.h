#pragma once

// The material editor window: the rollups of the edited Tintora texture,
// its live preview, the time bar with Auto Key, undo and redo, scene files,
// and the way into nested Tintora textures and back. Everything the user
// does to the texture goes through the window layer's user actions; the
// window only pumps the layer afterwards and shows what changed.

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include <QMainWindow>
#include <QMessageBox>

#include "studio/qt/control_widget.h"
#include "studio/qt/preview_panel.h"
#include "studio/qt/preview_worker.h"
#include "studio/qt/rollup_view.h"
#include "studio/qt/studio_session.h"
#include "studio/qt/texture_chooser.h"

class QAction;
class QLabel;
class QMenu;
class QSlider;
class QSpinBox;
class QToolButton;

namespace studio::qt {

/// Where the window asks the user; each defaults to a Qt dialog. Tests
/// script the answers by setting them.
struct WindowHooks {
    /// The window layer's message boxes (the Reset confirmation): the button chosen.
    std::function<int(std::string_view text, std::string_view caption, UINT type)> messageBox;
    /// The texture chooser of a sub-texture button; nothing to cancel.
    std::function<std::optional<TextureChoice>(const QString& slotName)> chooseTexture;
    /// The file to open, or to save as; empty to cancel.
    std::function<QString()> openFile;
    std::function<QString()> saveFile;
    /// Unsaved changes: Save, Discard or Cancel.
    std::function<QMessageBox::StandardButton()> unsavedChanges;
};

class MainWindow : public QMainWindow, public ActionRunner {
    Q_OBJECT
public:
    /// Frames of the time bar, and host ticks per frame.
    static constexpr int LastFrame = 100;
    static constexpr int TicksPerFrame = 160;

    explicit MainWindow(std::unique_ptr<StudioSession> session, QWidget* parent = nullptr);
    ~MainWindow() override;

    void Run(const std::function<void()>& action) override;

    WindowHooks& Hooks() { return hooks; }
    StudioSession& Session() { return *session; }
    RollupView& Rollups() { return *rollups; }
    PreviewWorker& Preview() { return *preview; }
    PreviewPanel& PreviewPictures() { return *previewPanel; }
    /// The widget of control `id` of the parameter rollup, or null.
    ControlWidget* Control(int id) const;

    QAction* UndoAction() const { return undoAction; }
    QAction* RedoAction() const { return redoAction; }
    QSlider* TimeSlider() const { return timeSlider; }
    QSpinBox* FrameField() const { return frameField; }
    QToolButton* AutoKeyButton() const { return autoKeyButton; }
    QAction* ParentAction() const { return parentAction; }

    // The File menu's commands; false when cancelled or failed.
    bool NewScene();
    bool OpenScene();
    bool OpenScene(const QString& path);
    bool SaveScene();
    bool SaveSceneAs();
    /// Asks about unsaved changes; false when the user cancelled.
    bool MaybeSave();
    /// Edits the nested Tintora of `slot`; back to the texture above.
    bool EnterSubTexture(int slot);
    bool LeaveSubTexture();
    void SetFrame(int frame);

Q_SIGNALS:
    /// A new preview picture is on show.
    void PreviewShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildTimeBar();
    void AfterEdit();
    void UpdateActions();
    void UpdateTitle();
    void FillSubTextureMenu();
    void RequestPreview();
    void ShowPreview(const QImage& swatch, const QImage& sphere);
    void ReportProblem(const QString& title, const std::string& problem);
    std::optional<Texmap*> ChooseTexture(MtlBase& texture, int slot);
    int AskMessageBox(std::string_view text, std::string_view caption, UINT type);
    bool SaveTo(const QString& path);

    std::unique_ptr<StudioSession> session;  // outlives the preview worker
    std::unique_ptr<PreviewWorker> preview;
    WindowHooks hooks;
    bool running = false;
    RollupView* rollups = nullptr;
    PreviewPanel* previewPanel = nullptr;
    QLabel* pathLabel = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* parentAction = nullptr;
    QMenu* subTextureMenu = nullptr;
    QSlider* timeSlider = nullptr;
    QSpinBox* frameField = nullptr;
    QToolButton* autoKeyButton = nullptr;
};

}  // namespace studio::qt
