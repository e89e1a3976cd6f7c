// The main window: the plot picture, the information strip, the position
// read-out and the menu through which every command is reached. It owns the
// plot (drawing surface, frame, palette, projection), the dialogs (made once,
// hidden between openings) and the mouse modes of the plot.
//
// The commands are spread over several files by concern: menus.cpp (menu
// tree and enabling), commands.cpp, filecommands.cpp, slipcommands.cpp,
// printing.cpp, exportcommands.cpp, clipboard.cpp, stresscommands.cpp
// (receivers, regional stress) and startquit.cpp (start-up, quit, resume).
#pragma once

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "app/menurules.h"
#include "app/mousemodes.h"
#include "app/receivercache.h"
#include "engine/siteeval.h"
#include "files/settingsfile.h"
#include "geo/projection.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "ui/qtpicture.h"
#include "ui/workbench.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;

namespace crustex {

class QtHost;
class WindowHost;
class QPainterSurface;
class PlotWidget;
class SourceEditor;
class FieldDialog;
class CffDialog;
class VisualDialog;
class CustomDialog;
class MapDialog;
class EventDialog;
class OptionDialog;
class PrinterSettingDialog;
class AboutBox;
class WelcomeWindow;
class SiteWindow;
class SectionDialog;
class SectionWindow;
class ReceiverDialog;
class RegionalStressDialog;
class LosDialog;
class FitDialog;

class MainWindow : public QMainWindow, public Workbench, private MouseSink {
    Q_OBJECT
public:
    // Runs the start-up sequence. programDir: where "crustex.ini" and
    // "lastwork.ini" live; empty means the program's own directory (or the
    // per-user fallback when that cannot be written).
    explicit MainWindow(WorkState& ws, const QString& programDir = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- Workbench ---
    WorkState& state() override { return ws_; }
    Host& host() override;
    WindowHost& windowHost() { return *host_; }
    PlotContext& plot() override { return pc_; }
    Projection& projection() override { return proj_; }
    void drawPicture() override;
    void drawOverlay() override;
    void refreshPlot() override;
    void startPointing(int mousemode, const QString& prompt) override;

    // --- For tests and the screenshot program ---
    // The menu item with the given program name (for example "uzmenu").
    QAction* action(const QString& name) const { return actions_.value(name); }
    QMenu* topMenu(const QString& caption) const { return topMenus_.value(caption); }
    QLabel* infoStrip() const { return infopbx_; }
    QLabel* locationStrip() const { return locpbx_; }
    PlotWidget* plotArea() const { return graphpbx_; }
    QPainterSurface* surface() const { return surface_.get(); }
    MouseModes& mouseModes() { return modes_; }
    const QString& programDir() const { return programDir_; }
    SourceEditor* sourceEditor() const { return sourceEditor_; }
    FieldDialog* fieldDialog() const { return fieldDialog_; }
    CffDialog* cffDialog() const { return cffDialog_; }
    MapDialog* mapDialog() const { return mapDialog_; }
    SiteWindow* siteWindow() const { return siteWindow_; }
    SiteResults& siteResults() { return sites_; }
    SectionDialog* sectionDialog() const { return sectionDialog_; }
    SectionWindow* sectionWindow() const { return sectionWindow_; }
    ReceiverDialog* receiverDialog() const { return receiverDialog_; }
    RegionalStressDialog* regionalDialog() const { return regionalDialog_; }
    const ReceiverCache& receiverCache() const { return receivers_; }
    LosDialog* losDialog() const { return losDialog_; }
    FitDialog* fitDialog() const { return fitDialog_; }
    // Evaluates the enabling rules of every menu now (as opening them does).
    void updateMenus();
    MenuFacts menuFacts() const;
    // Runs a command by the program name of its menu item, as a click does;
    // false when the item is disabled.
    bool runCommand(const QString& name);

    // Replace the common dialogs (tests): file dialogs get (title, Qt filter,
    // directory they open in) and return the chosen path or "" for cancel;
    // the print dialog gets the printer and returns false for cancel.
    using FileDialog = std::function<QString(const QString&, const QString&, const QString&)>;
    FileDialog openFileDialog;
    FileDialog saveFileDialog;
    std::function<bool(QPrinter&)> printDialog;

    // Menu commands.
    void openSource();
    void storeSource(bool withMap);
    void openSlipModel();
    void exportSlipModel();
    void clearSlipModel();
    void storeStrains();
    void printerSetting();
    void printPicture();
    void exportPicture();
    void exportGrid();
    void resumeLastWork();
    void quit();
    void copyPicture();
    void pasteBackground();
    void clearPicture();
    void showQuantity(const std::string& key);
    void resizePicture();
    void redrawPicture();
    void selectArea();
    void clearArea();
    void exportArea();
    void toggleShowObs();
    void toggleShowGrid();
    void clearObsSites();
    void openObsSites();
    void exportObsSites();
    void storeObsStrains();
    void openReceivers();
    void useSourcesAsReceivers();
    void exportReceivers();
    void clearReceivers();
    // The receivers' values, evaluated when out of date; nullptr when there
    // are none or they could not be evaluated (receiverProblem_ says why).
    const ReceiverResults* currentReceivers();
    void visualCommand();
    void openVisualDialog();
    // "Cross Section..." (sectioncommands.cpp), and the open section window
    // evaluated again (the model changed) or drawn again.
    void openSectionDialog();
    void updateSection(bool modelchanged);
    // Topography, map, volcanoes and earthquakes as the kept background.
    void drawBackgroundLayers();
    // The plot's user scale set to the part of the frame the picture shows
    // (shownview), the plot frame and the kept background drawn for it.
    void showPictureView();
    bool viewChanged() const;
    // Removes the map layers from the kept background; with pastedtoo also
    // a pasted background picture.
    void dropBackground(bool pastedtoo);

    // True while a long piece of work (a picture, a print, an export, a work
    // file) runs and lets the window system process events.
    bool busyDrawing() const { return drawing_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction and start-up.
    void buildLayout();
    void buildMenus();
    void connectCommands();
    void buildDialogs();
    void buildSectionTools();
    using Command = std::function<void()>;
    void buildReceiverMenu(QMenu* receivers);
    void buildStressDialogs();
    void connectStressCommands(const std::function<void(const char*, Command)>& on);
    // Draws the picture with the receivers just set and shows the summary,
    // with the receivers left out and why they could not be evaluated.
    void showReceivers(const std::string& summary);
    // The line-of-sight and fit dialogs and their menu items
    // (geodesycommands.cpp).
    void buildGeodesyDialogs();
    void startup();
    void placeStrips();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& key = {});
    void lockMenus(bool enabled);
    // Starts (true) or ends (false) a long piece of work: the plot ignores
    // the mouse, open dialogs are disabled so that nothing changes the work
    // state meanwhile, and Ctrl-Q is taken wherever it is typed. False from
    // begin when work is already running.
    bool beginWork(bool begin);
    void applyEnabling(const MenuEnabling& e);
    bool menusLocked() const { return menusLocked_; }
    int units(double u) const;  // layout units (points) to pixels
    QString settingsPath() const;
    QString lastworkPath() const;      // where the exit writes it
    QString lastworkReadPath() const;  // where Resume reads it
    void writeExitFiles();
    void readSettingsFile();
    void writeSettingsFile();
    void writeLastWork();
    void readWork(const QString& path);
    // A .inp file as the whole model (from "Open Source....").
    void openInpModel(const QString& name);
    // The slip model's summary on the status strip, after a file's summary.
    void showSlipStatus(const std::string& summary);
    // A file dialog opened in the directory last used for the kind of file
    // its first filter offers; choosing another filter moves to that kind's
    // directory. A proposed file name (initial) is kept: a bare name goes
    // into that directory. "" when cancelled.
    QString askFile(bool save, const QString& title, const QString& filter,
                    const QString& initial = {});
    QString folder(WindowPlaces::Folder kind) const;
    void rememberFolder(WindowPlaces::Folder kind, const QString& chosen);
    void afterFileRead(bool sourcesInstalled, bool widthChanged);

    // MouseSink.
    void setLocation(const std::string& text) override;
    void clearTransient() override;
    void drawProbeMark(float x, float y) override;
    void showNode(int ix, int iy) override;
    void showSite(int k) override;
    void drawFieldFrame(const FieldRect& r) override;
    void restoreCursor() override;
    const faultrec& currentSource() override;
    void setFirstEdge(float x, float y) override;
    void setSecondEdge(float x, float y) override;
    void setEdges(float x0, float y0, float x1, float y1) override;
    void setPointSource(float x, float y) override;
    void returnSourceEditor() override;
    void setFieldRect(const FieldRect& r) override;
    void setInclinedReference(float x, float y) override;
    void setInclinedStrike(float degrees) override;
    void returnFieldDialog() override;
    void setCffStrike(float degrees) override;
    void returnCffDialog() override;
    bool geoPosition(float x, float y, float& lat, float& lon) override;
    void setSectionLine(float x0, float y0, float x1, float y1) override;
    void returnSectionDialog() override;
    bool showReceiverPatch(float x, float y) override;

    WorkState& ws_;
    QString programDir_;
    PlotContext pc_;
    Projection proj_;
    std::unique_ptr<QPainterSurface> surface_;
    QtPicture dumyimg_;  // the pasted background bitmap

    QWidget* client_ = nullptr;
    PlotWidget* graphpbx_ = nullptr;
    QLabel* infopbx_ = nullptr;
    QLabel* locpbx_ = nullptr;
    std::unique_ptr<WindowHost> host_;
    MouseModes modes_;

    QMap<QString, QAction*> actions_;
    QMap<QString, QMenu*> topMenus_;
    bool menusLocked_ = false;
    bool quitting_ = false;
    bool drawing_ = false;
    // The kept background holds the map layers drawn for the current map
    // settings: screen pictures are drawn over it instead of drawing the
    // map again.
    bool mapInBackground_ = false;
    std::vector<QPointer<QWidget>> disabledDuringWork_;

    SourceEditor* sourceEditor_ = nullptr;
    FieldDialog* fieldDialog_ = nullptr;
    CffDialog* cffDialog_ = nullptr;
    VisualDialog* visualDialog_ = nullptr;
    CustomDialog* customDialog_ = nullptr;
    MapDialog* mapDialog_ = nullptr;
    EventDialog* eventDialog_ = nullptr;
    OptionDialog* optionDialog_ = nullptr;
    PrinterSettingDialog* printerDialog_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    WelcomeWindow* welcome_ = nullptr;
    // The values computed at the observation sites and the window that
    // graphs them.
    SiteResults sites_;
    SiteWindow* siteWindow_ = nullptr;
    // The cross-section dialog and the window that shows the section.
    SectionDialog* sectionDialog_ = nullptr;
    SectionWindow* sectionWindow_ = nullptr;
    // The receivers: the user's split and rake, their values, whether the
    // picture on the plot shows them, and why they were last not evaluated.
    ReceiverChoice receiverChoice_;
    ReceiverCache receivers_;
    bool receiversDrawn_ = false;
    std::string receiverProblem_;
    ReceiverDialog* receiverDialog_ = nullptr;
    RegionalStressDialog* regionalDialog_ = nullptr;
    LosDialog* losDialog_ = nullptr;
    FitDialog* fitDialog_ = nullptr;
    // Windows whose places the settings file keeps, by their file names, and
    // the places read at start-up (kept for windows not made yet).
    QMap<QString, QWidget*> placedWindows_;
    std::unique_ptr<WindowPlaces> keptPlaces_;
    // The settings file at start-up could not be read whole: the exit keeps
    // it as "crustex.ini.bak".
    bool settingsDamaged_ = false;
};

}  // namespace crustex
