#include "studio/qt/preview_panel.h"

#include <QVBoxLayout>

namespace studio::qt {
namespace {

QLabel* ImageLabel(int size, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFixedSize(size + 2, size + 2);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setStyleSheet(QStringLiteral("QLabel { background: #3a3a3a; }"));
    return label;
}

}  // namespace

PreviewPanel::PreviewPanel(int sphereSize, int swatchSize, QWidget* parent)
    : QWidget(parent), sphere(ImageLabel(sphereSize, this)), swatch(ImageLabel(swatchSize, this)),
      caption(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sphere, 0, Qt::AlignHCenter);
    layout->addWidget(swatch, 0, Qt::AlignHCenter);
    caption->setAlignment(Qt::AlignHCenter);
    layout->addWidget(caption);
    sphere->setToolTip(tr("The texture on a lit sphere"));
    swatch->setToolTip(tr("The texture over its unit square"));
}

void PreviewPanel::Show(const QImage& swatchPicture, const QImage& spherePicture) {
    swatchImage = swatchPicture;
    sphereImage = spherePicture;
    swatch->setPixmap(QPixmap::fromImage(swatchPicture));
    sphere->setPixmap(QPixmap::fromImage(spherePicture));
}

}  // namespace studio::qt
