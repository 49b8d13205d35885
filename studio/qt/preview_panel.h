#pragma once

// Shows the preview pictures: the texture on a sphere and flat.

#include <QLabel>
#include <QWidget>

namespace studio::qt {

class PreviewPanel : public QWidget {
public:
    PreviewPanel(int sphereSize, int swatchSize, QWidget* parent);
    void Show(const QImage& swatch, const QImage& sphere);
    void SetCaption(const QString& text) { caption->setText(text); }
    const QImage& Swatch() const { return swatchImage; }
    const QImage& Sphere() const { return sphereImage; }

private:
    QLabel* sphere;
    QLabel* swatch;
    QLabel* caption;
    QImage swatchImage, sphereImage;
};

}  // namespace studio::qt
