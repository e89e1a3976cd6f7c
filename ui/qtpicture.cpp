#include "ui/qtpicture.h"

#include <QPainter>

namespace crustex {

QImage opaqueimage(const QImage& image) {
    if (image.isNull()) return QImage();
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

void QtPicture::setImage(const QImage& image) { image_ = opaqueimage(image); }

}  // namespace crustex
