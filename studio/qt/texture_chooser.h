#pragma once

// The texture chooser the material editor opens for a sub-texture button:
// None, Bitmap… (with a file dialog), Checker, Noise, Constant, Gradient,
// Tintora.

#include <functional>
#include <optional>
#include <string>

#include <QStringList>

#include "host/mtl_base.h"
#include "studio/scene/class_registry.h"

class QWidget;

namespace studio::qt {

enum class TextureKind { None, Bitmap, Checker, Noise, Constant, Gradient, Tintora };

struct TextureChoice {
    TextureKind kind = TextureKind::None;
    std::string file;  ///< the image of a bitmap
};

/// The chooser's entries, in menu order.
QStringList TextureKindNames();

/// Asks with a menu at the mouse pointer (and a file dialog for a bitmap);
/// nothing when the user cancelled.
std::optional<TextureChoice> AskTextureChoice(QWidget* parent, const QString& slotName);

/// Makes the chosen texture through its class: null for None, nothing when
/// the class is missing (`problem` says why). A bitmap whose image cannot be
/// read is still made, keeping its file name, and `problem` says so.
std::optional<Texmap*> MakeChosenTexture(const TextureChoice& choice, const ClassRegistry& classes,
                                         std::string& problem);

}  // namespace studio::qt
