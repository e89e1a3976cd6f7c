// The map dialog ("Map Parameters"): whether a background map is wanted,
// its range, lines, graticule interval and thinning, the active-fault,
// volcano, earthquake and topography layers, the map type and projection,
// the named ranges of "fixarea.lst", and a preview of the map on which a
// rubber band points out a new range.
//
// "OK" with the map on draws the background layers into the main picture
// (kept as its background), re-bases the field on the map and resets the
// sources to one; with the map off it removes the map. The layer controls
// whose data files are missing are disabled when the dialog opens.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "files/arealist.h"
#include "geo/mapform.h"
#include "geo/projection.h"
#include "ui/dialogkit.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace crustex {

class Workbench;
class MapPreview;

// What the dialog needs from the main window beyond the Workbench. Unset
// hooks are skipped.
struct MapDialogHooks {
    // Draws topography, map, volcanoes and earthquakes into the main picture
    // for the work state's map settings and keeps them as its background.
    std::function<void()> drawBackground;
    // Removes the map from the main picture's kept background; with true
    // also a pasted background picture.
    std::function<void(bool pastedtoo)> clearBackground;
    // Rebuilds the source editor's list after the sources were reset.
    std::function<void()> rebuildSourceList;
    // "Set....": opens the earthquake selection ("Event Parameters").
    std::function<void()> eventParameters;
};

class MapDialog : public QDialog {
    Q_OBJECT
public:
    MapDialog(Workbench& wb, QWidget* parent = nullptr);

    // Checks which data files are present, fills the controls from the work
    // state, reads the named ranges, draws the preview and shows the dialog
    // modally without blocking the caller.
    void entrymapform();
    // The same with the given range and the map switched on, blocking until
    // the dialog is closed (a source file with a map range). True after OK.
    bool entryWithRange(float lat1, float lon1, float lat2, float lon2);

    MapDialogHooks hooks;

    // --- Buttons and lists ---
    bool okClicked();
    void previewClicked();
    void addClicked();
    void delClicked();
    void areaChosen(int index);

    // For tests and the screenshot program.
    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QComboBox* areaList() const { return arealist_; }
    MapPreview* preview() const { return preview_; }
    const Projection& previewProjection() const { return previewproj_; }

protected:
    // Enter in the name box adds the range instead of accepting the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildRangeGroup();
    QGroupBox* buildLinesGroup();
    QGroupBox* buildOptionGroup(const QString& title, const QString& name,
                                std::initializer_list<const char*> captions,
                                std::initializer_list<const char*> names,
                                std::vector<QRadioButton*>& buttons);
    QGroupBox* buildFaultGroup();
    QGroupBox* buildEventGroup();
    QGroupBox* buildTopographyGroup();
    QGroupBox* buildPreviewGroup();

    void fill();
    void applyPresence();
    void readAreaList();
    MapFormText texts() const;
    MapSwitches switches() const;
    void bandSelected(float ax, float ay, float bx, float by);
    void updateSetButton();

    Workbench& wb_;
    FormBoxes boxes_;
    QCheckBox* needmap_ = nullptr;
    QComboBox* arealist_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* del_ = nullptr;
    std::vector<QRadioButton*> linetype_, areatype_, projection_;
    std::array<QCheckBox*, 4> fault_{};
    QCheckBox* volcano_ = nullptr;
    QCheckBox* needevent_ = nullptr;
    QPushButton* setpara_ = nullptr;
    QCheckBox* contour_ = nullptr;
    QCheckBox* color_ = nullptr;
    MapPreview* preview_ = nullptr;

    bool catalogue_ = false;  // the earthquake catalogue exists
    std::vector<NamedArea> areas_;
    Projection previewproj_;
    bool previewdrawn_ = false;  // the preview shows a map of previewproj_
};

}  // namespace crustex
