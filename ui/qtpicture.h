// A stored bitmap for the drawing surface: a pasted clipboard image or a
// grabbed picture. Images are kept opaque (RGB32): a transparent clipboard
// image is laid over white first, as a pasted background always is.
#pragma once

#include <QImage>

#include "plot/surface.h"

namespace crustex {

class QtPicture : public Picture {
public:
    QtPicture() = default;
    explicit QtPicture(const QImage& image) { setImage(image); }

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }

    bool isNull() const { return image_.isNull(); }
    const QImage& image() const { return image_; }
    void setImage(const QImage& image);
    void clear() { image_ = QImage(); }

private:
    QImage image_;
};

// The image laid over white and converted to RGB32 (a null image stays null).
QImage opaqueimage(const QImage& image);

}  // namespace crustex
