// Pictures as files: the picture of the work state's quantity, composed as
// on the screen (map, layers, quantity, legends, overlays, signature) onto a
// PDF page or an SVG drawing (both vector) or a PNG image at a chosen
// resolution. The picture keeps its aspect and is centred on the page; line
// weights and text keep their size relative to the picture. A file is
// written whole or not at all, as every save is (files/atomicfile.h): every
// write of Qt's writer is checked, the file must end as its format ends, and
// only then does it replace the old one.
//
// Used by the window's "Export Picture..." and by crustex-batch (also for
// the pictures of vertical sections).
#pragma once

#include <QSize>
#include <optional>
#include <string>

#include "compose/picture.h"
#include "compose/sectionpicture.h"

namespace crustex {

class QPainterSurface;

enum class PictureFileFormat { Pdf, Svg, Png };

struct PictureFileOptions {
    std::string path;  // the file name's bytes, as given
    PictureFileFormat format = PictureFileFormat::Pdf;
    double widthmm = 170;                   // page or image size
    double heightmm = 170 * 525.3 / 659.2;  // the picture's own aspect
    int dpi = 300;                          // PNG pixels per inch
    float fontsize = 9;                     // the drawing surface's font size
};

// The format of a file name by its extension (".pdf", ".svg", ".png", any
// letter case); none for any other name.
std::optional<PictureFileFormat> picturefileformat(const std::string& path);

// The pixel size of a PNG written with these options.
QSize picturepixels(const PictureFileOptions& options);

// Draws the picture (drawpicture with the target word "screen", on the
// file's page) and writes the file. pc keeps its screen surface: it is
// swapped for the page while drawing and put back. False, with a one-line
// reason in `error`, when the picture could not be drawn or written.
bool writepicturefile(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& inputs,
                      const PictureFileOptions& options, std::string& error);

// The same for the picture of a vertical section (drawsectionpicture, its
// sectionview fitted to the page).
bool writesectionpicturefile(WorkState& ws, PlotContext& pc, Host& host,
                             SectionPictureInputs& section, const PictureFileOptions& options,
                             std::string& error);

// Sets the surface's user scale to show `view` fitted into it, aspect kept,
// centred (the section window's picture).
void showfitted(QPainterSurface& surface, const FrameView& view);

}  // namespace crustex
