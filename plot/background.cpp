#include "plot/background.h"

namespace crustex {

BackgroundFit fitbackground(int w, int h) {
    if (w <= 0 || h <= 0) return {};
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    if (fh / 51 <= fw / 64) return {640, 640 * fh / fw};
    return {510 * fw / fh, 510};
}

void paintbackground(PlotContext& pc, Host& host, const Picture& picture) {
    host.setBusy(true);
    host.setStatus(" Painting Background");
    const BackgroundFit fit = fitbackground(picture.width(), picture.height());
    if (fit.width > 0 && fit.height > 0)
        pc.surface().PaintPicture(picture, 0, 0, fit.width, fit.height);
    host.setBusy(false);
    host.setStatus("");
}

}  // namespace crustex
