// Small building blocks shared by the parameter dialogs: labelled number
// boxes laid out in rows, buttons with their program names and the row they
// stand in, the table that ties a work-state field name to its box, and
// showing a dialog modally without blocking the caller.
#pragma once

#include <QString>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

#include "model/dialogbounds.h"
#include "model/formcheck.h"

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace crustex {

class Host;

inline QString qstr(const std::string& s) { return QString::fromStdString(s); }
inline std::string sstr(const QString& s) { return s.toStdString(); }

// A one-line box for a number, named `name` (for example "xgridtxt").
QLineEdit* makeNumberBox(QWidget* parent, const QString& name, int width = 90);

// A push button with its caption and program name.
QPushButton* makeButton(QWidget* parent, const QString& caption, const QString& name);

// Adds one row "caption  [box]  unit" at `row` of `grid` (columns col,
// col + 1, col + 2) and returns the box. An empty unit leaves its cell empty.
QLineEdit* addBoxRow(QGridLayout* grid, int row, const QString& caption, const QString& name,
                     const QString& unit, int col = 0);

// A row of buttons at its right end, in the given order.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

// A caption label that never wraps or clips.
QLabel* makeCaption(QWidget* parent, const QString& text);

// Turns a file-dialog filter written as "Description(*.a;*.b)|*.a;*.b|..."
// into Qt's form "Description (*.a *.b);;...".
QString qtfilter(const QString& filter);

// Shows a dialog modally for the whole application without blocking the
// caller, and brings it to the front. A dialog that hides itself for a
// pointing mode on the plot releases the plot until it is shown again.
void showModal(QDialog* dialog);

// The boxes of one dialog by the work-state names of their fields.
class FormBoxes {
public:
    void add(const std::string& field, QLineEdit* box);
    QLineEdit* box(const std::string& field) const;
    std::string text(const std::string& field) const;
    void setText(const std::string& field, const std::string& text);
    // The texts of the boxes for checkdialog: every box of this set, or
    // nothing for a field the set has no box for.
    BoxText boxtext() const;

    // When the check rejected a box: focuses it, selects its whole text,
    // shows "Input Error" through the host and returns true. A disabled box
    // is enabled first so that it can be corrected. A rejection
    // that names no box of this dialog still shows the message.
    bool rejected(const FormCheck& check, Host& host) const;
    // Checks every box of this set in the dialog's order (checkdialog): true
    // with the values in `values`, or false after reporting the rejected box
    // as rejected() does.
    bool checked(DialogKind dialog, FieldValues& values, Host& host) const;

private:
    std::map<std::string, QLineEdit*> boxes_;
};

// Copies between a dialog's boxes and the core's text record of that dialog
// (any record with `const std::string* box(std::string_view field) const`),
// for every field of the dialog's bounds table.
template <typename Text>
void readboxes(const FormBoxes& boxes, DialogKind dialog, Text& text) {
    for (const FieldBound& b : dialogbounds(dialog)) {
        // The record is ours and not const: its box() only hands out const.
        if (auto* s = const_cast<std::string*>(std::as_const(text).box(b.field))) {
            *s = boxes.text(std::string(b.field));
        }
    }
}
template <typename Text>
void writeboxes(FormBoxes& boxes, DialogKind dialog, const Text& text) {
    for (const FieldBound& b : dialogbounds(dialog)) {
        if (const std::string* s = text.box(b.field)) boxes.setText(std::string(b.field), *s);
    }
}

}  // namespace crustex
