// The site window ("Observation Sites"): the graph of the selected quantity
// at the observation sites (sites/sitegraphs.h) in a picture that fills the
// window, and under it the misfit of the loaded observations. Its menus:
// File ("Print....", "Close"), Edit ("Copy Picture"), View ("Bar Graph",
// "Line Graph", "0-Line").
//
// The graph is shown only while the site values belong to the model as it
// is; after an edit the picture stays empty until the main picture is drawn
// again. Closing the window (its "Close" or the window's own close button)
// hides it and calls closed().
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>

#include "engine/siteeval.h"
#include "sites/sitegraphs.h"

class QAction;
class QLabel;
class QPrinter;

namespace crustex {

class Workbench;
class QPainterSurface;
class SitePicture;

class SiteWindow : public QMainWindow {
    Q_OBJECT
public:
    SiteWindow(Workbench& wb, SiteResults& sites, QWidget* parent = nullptr);
    ~SiteWindow() override;

    // What the picture composer draws the graph on.
    const SiteGraphView& view();
    // Draws the graph for "screen" (or clears the picture when the values
    // are out of date or the key has no graph) and updates the misfit line.
    void redraw();
    // After the composer drew on the view: show it and the misfit line.
    void pictureDrawn();

    // "Print....", "Copy Picture" and the View commands.
    void print();
    void copyPicture();
    void setBarGraph(bool bar);
    void toggleZeroLine();
    // Enables the View commands for graph quantities (viewmenuenabled) and
    // "Print...." when there is a graph to print.
    void updateMenus();

    // Called after the window was closed by the user.
    std::function<void()> closed;
    // Replaces the print dialog (tests): false for cancel.
    std::function<bool(QPrinter&)> printDialog;

    // For tests and the screenshot program.
    QAction* action(const QString& name) const { return actions_.value(name); }
    QPainterSurface& surface() const { return *surface_; }
    QLabel* misfitLine() const { return misfit_; }
    SitePicture* picture() const { return subpbx_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void resizePicture(int width, int height);
    bool graphShown() const;

    Workbench& wb_;
    SiteResults& sites_;
    std::unique_ptr<QPainterSurface> surface_;
    SiteGraphView view_;
    SitePicture* subpbx_ = nullptr;
    QLabel* misfit_ = nullptr;
    QMap<QString, QAction*> actions_;
};

// The window's picture: shows the surface's image and follows the window's
// size.
class SitePicture : public QWidget {
    Q_OBJECT
public:
    SitePicture(QPainterSurface& surface, std::function<void(int, int)> resized, QWidget* parent);
    QSize sizeHint() const override { return {560, 420}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPainterSurface& surface_;
    std::function<void(int, int)> resized_;
};

}  // namespace crustex
