// The cross-section window ("Cross Section"): the picture of the selected
// contour quantity on a vertical section (compose/sectionpicture.h) in a
// picture that fills the window, and under it a note when the window shows
// something else than asked. Its menus: File ("Print...", "Export...",
// "Close"), Edit ("Copy Picture"). "Export..." writes the picture (PDF, SVG,
// PNG) or every quantity's values on the section (CSV).
//
// The section is evaluated when it is chosen and again whenever the model
// changes while the window is open (with the field's progress line and
// Ctrl-Q), and drawn again when the quantity or the style changes. A
// quantity that is not a contour quantity shows Displacement Z instead.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>
#include <optional>

#include "compose/sectionpicture.h"
#include "stress/section.h"
#include "stress/sectionform.h"

class QAction;
class QLabel;
class QPrinter;

namespace crustex {

class Workbench;
class QPainterSurface;
class SitePicture;
struct PlotContext;
class Surface;

class SectionWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SectionWindow(Workbench& wb, QWidget* parent = nullptr);
    ~SectionWindow() override;

    // Evaluates the chosen section, draws it and shows the window.
    void showSection(const SectionChoice& choice);
    // While the window is open: evaluates the section again when the model
    // changed (or its evaluation was abandoned) and draws it.
    void refresh(bool modelchanged);

    // The menu commands. exportFile: false when nothing was written.
    void print();
    void copyPicture();
    bool exportFile();

    // Starts (true) or ends (false) long work in the main window: Ctrl-Q
    // then reaches the abort request; false from begin when work runs.
    std::function<bool(bool begin)> longWork;
    // The file dialog for "Export...": (title, filter) to the chosen path,
    // "" for cancel.
    std::function<QString(const QString&, const QString&)> askSaveFile;
    // The PNG resolution (dpi), nothing for cancel; the default asks.
    std::function<std::optional<int>()> askResolution;
    // Replaces the print dialog (tests): false for cancel.
    std::function<bool(QPrinter&)> printDialog;

    // For tests and the screenshot program.
    QAction* action(const QString& name) const { return actions_.value(name); }
    QPainterSurface& surface() const { return *surface_; }
    QLabel* note() const { return note_; }
    const Section* section() const { return section_.get(); }
    const std::optional<SectionChoice>& choice() const { return choice_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void resizePicture(int width, int height);
    bool evaluate();
    void draw();
    // The traces and earthquakes of the evaluated section.
    SectionPictureInputs inputs();
    // Draws the section of the shown quantity on `on` (the window's or a
    // page's surface); false when it was not drawn whole.
    bool drawOn(Surface& on);
    bool writeCsv(const std::string& path);
    void setNote(const QString& text);

    Workbench& wb_;
    std::unique_ptr<QPainterSurface> surface_;
    SitePicture* picture_ = nullptr;
    QLabel* note_ = nullptr;
    QMap<QString, QAction*> actions_;
    std::optional<SectionChoice> choice_;
    std::unique_ptr<Section> section_;
    bool busy_ = false;
    int pending_ = 0;  // asked for while busy: 1 drawing, 2 evaluation and drawing
};

}  // namespace crustex
