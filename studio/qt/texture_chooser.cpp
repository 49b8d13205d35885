#include "studio/qt/texture_chooser.h"

#include <map>

#include <QCursor>
#include <QFileDialog>
#include <QMenu>

#include "studio/qt/studio_session.h"
#include "studio/textures/bitmap_texture.h"
#include "studio/textures/standard_class_ids.h"

namespace studio::qt {
namespace {

struct KindInfo {
    TextureKind kind;
    const char* label;
    Class_ID classId;
};

const KindInfo kinds[] = {
    {TextureKind::None, "None", Class_ID()},
    {TextureKind::Bitmap, "Bitmap…", BITMAP_TEX_CLASS_ID},
    {TextureKind::Checker, "Checker", CHECKER_TEX_CLASS_ID},
    {TextureKind::Noise, "Noise", NOISE_TEX_CLASS_ID},
    {TextureKind::Constant, "Constant", CONSTANT_TEX_CLASS_ID},
    {TextureKind::Gradient, "Gradient", GRADIENT_TEX_CLASS_ID},
    {TextureKind::Tintora, "Tintora", TINTORA_CLASS_ID},
};

const KindInfo& Info(TextureKind kind) {
    for (const KindInfo& info : kinds)
        if (info.kind == kind) return info;
    return kinds[0];
}

// "Checker #3": new textures are numbered per class, as the user makes them.
std::string NextName(const std::string& className) {
    static std::map<std::string, int> counts;
    return className + " #" + std::to_string(++counts[className]);
}

}  // namespace

QStringList TextureKindNames() {
    QStringList names;
    for (const KindInfo& info : kinds) names << QString::fromUtf8(info.label);
    return names;
}

std::optional<TextureChoice> AskTextureChoice(QWidget* parent, const QString& slotName) {
    QMenu menu(parent);
    menu.setTitle(slotName);
    menu.addSection(slotName);
    for (const KindInfo& info : kinds) {
        QAction* action = menu.addAction(QString::fromUtf8(info.label));
        action->setData(int(info.kind));
        if (info.kind == TextureKind::None) menu.addSeparator();
    }
    const QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen) return std::nullopt;
    TextureChoice choice{TextureKind(chosen->data().toInt()), {}};
    if (choice.kind == TextureKind::Bitmap) {
        const QString file = QFileDialog::getOpenFileName(
            parent, QObject::tr("Bitmap for %1").arg(slotName), QString(),
            QObject::tr("Images (*.png *.jpg *.jpeg *.tif *.tiff *.exr *.bmp *.tga *.hdr);;All files (*)"));
        if (file.isEmpty()) return std::nullopt;
        choice.file = file.toStdString();
    }
    return choice;
}

std::optional<Texmap*> MakeChosenTexture(const TextureChoice& choice, const ClassRegistry& classes,
                                         std::string& problem) {
    if (choice.kind == TextureKind::None) return nullptr;
    const KindInfo& info = Info(choice.kind);
    ClassDesc* desc = classes.Find(TEXMAP_CLASS_ID, info.classId);
    auto* texture = desc ? dynamic_cast<Texmap*>(desc->CreateTexture(0)) : nullptr;
    if (!texture) {
        problem = std::string("No texture class for ") + info.label;
        return std::nullopt;
    }
    texture->SetName(NextName(desc->ClassNameText()));
    if (auto* bitmap = dynamic_cast<BitmapTex*>(texture)) problem = bitmap->SetFileName(choice.file);
    return texture;
}

}  // namespace studio::qt
