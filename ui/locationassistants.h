// The three geographic assistants: a fault's first edge, strike and length,
// a point source's position, and the inclined field's reference point, each
// entered as latitude and longitude and converted to field kilometres
// through the map projection.
#pragma once

#include <QDialog>
#include <functional>

#include "ui/dialogkit.h"

namespace crustex {

class Workbench;

// Readies the projection for a conversion: before the first map set-up it is
// set up for the work state's map range. False (after a message) when the
// range gives no usable projection.
bool readyprojection(Workbench& wb);

// The fault location assistant.
class FaultAssistant : public QDialog {
    Q_OBJECT
public:
    FaultAssistant(Workbench& wb, QWidget* parent = nullptr);

    // Shows the first edge in latitude and longitude ("0.####") with the
    // geographic strike and the length of the edge (km), modally.
    bool entry(float fx0, float fy0, float fx1, float fy1);

    // "OK": checks the boxes, converts them to the two edges (km) and hands
    // them to onAccepted; a rejected box keeps the assistant open.
    bool okClicked();
    std::function<void(float fx0, float fy0, float fx1, float fy1)> onAccepted;

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }

private:
    Workbench& wb_;
    FormBoxes boxes_;
};

// The point and field-reference assistants: one position in latitude and
// longitude.
class PointAssistant : public QDialog {
    Q_OBJECT
public:
    // `framecaption` names the frame of the two boxes.
    PointAssistant(Workbench& wb, const QString& title, const QString& framecaption,
                   QWidget* parent = nullptr);

    // Shows the position (km) in latitude and longitude ("0.####"), modally.
    bool entry(float x, float y);

    bool okClicked();
    std::function<void(float x, float y)> onAccepted;

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }

private:
    Workbench& wb_;
    FormBoxes boxes_;
};

}  // namespace crustex
