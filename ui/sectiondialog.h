// The cross-section dialog (Tool -> "Cross Section..."): the line's two
// points in km or, while a map is on, in latitude and longitude, the depth
// range, the spacing of the points and the distance from the line within
// which earthquakes are shown. "Pick on Map" hides the dialog while the
// line is dragged on the plot and shows it again with the line's points.
// The last section accepted is proposed at the next opening (this session
// only); before it the model file's cross section, else a line across the
// field.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "stress/sectionform.h"
#include "ui/dialogkit.h"

class QLabel;

namespace crustex {

class Workbench;

// The plot's mouse mode that points out the line.
inline constexpr int kSectionPickMode = 11;
inline constexpr const char* kSectionPickPrompt = " Drag Mouse to Point out Cross Section....";

class SectionDialog : public QDialog {
    Q_OBJECT
public:
    SectionDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes with the proposal and shows the dialog modally.
    void entry();
    // The line pointed out on the plot (km) into the point boxes, and the
    // dialog shown again.
    void setLine(float x0, float y0, float x1, float y1);
    void returnForm();

    // --- Buttons ---
    // "OK": checks the boxes; an accepted section is remembered and handed
    // to onAccepted.
    bool okClicked();
    void pickClicked();
    std::function<void(const SectionChoice&)> onAccepted;

    const std::optional<SectionChoice>& last() const { return last_; }
    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }

private:
    std::optional<SectionGeo> geo() const;
    void showPoints(const SectionFormText& t);

    Workbench& wb_;
    FormBoxes boxes_;
    QLabel* captions_[4] = {};
    QLabel* units_[4] = {};
    bool geographic_ = false;
    std::optional<SectionChoice> last_;
};

}  // namespace crustex
