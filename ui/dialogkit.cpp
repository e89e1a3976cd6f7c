#include "ui/dialogkit.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include "model/host.h"
#include "ui/inputerror.h"

namespace crustex {

QLineEdit* makeNumberBox(QWidget* parent, const QString& name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMinimumWidth(width);
    box->setMaximumWidth(width + 40);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QPushButton* makeButton(QWidget* parent, const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
}

QLabel* makeCaption(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(false);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit* addBoxRow(QGridLayout* grid, int row, const QString& caption, const QString& name,
                     const QString& unit, int col) {
    QWidget* parent = grid->parentWidget();
    QLabel* label = makeCaption(parent, caption);
    QLineEdit* box = makeNumberBox(parent, name);
    label->setBuddy(box);
    grid->addWidget(label, row, col);
    grid->addWidget(box, row, col + 1);
    if (!unit.isEmpty()) grid->addWidget(makeCaption(parent, unit), row, col + 2);
    return box;
}

QString qtfilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        const int open = desc.indexOf('(');
        if (open >= 0) desc = desc.left(open);
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << desc.trimmed() + " (" + patterns.trimmed() + ")";
    }
    return out.join(";;");
}

void showModal(QDialog* dialog) {
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void FormBoxes::add(const std::string& field, QLineEdit* box) { boxes_[field] = box; }

QLineEdit* FormBoxes::box(const std::string& field) const {
    auto it = boxes_.find(field);
    return it == boxes_.end() ? nullptr : it->second;
}

std::string FormBoxes::text(const std::string& field) const {
    QLineEdit* b = box(field);
    return b ? sstr(b->text()) : std::string();
}

void FormBoxes::setText(const std::string& field, const std::string& text) {
    if (QLineEdit* b = box(field)) b->setText(qstr(text));
}

BoxText FormBoxes::boxtext() const {
    return [this](std::string_view field) -> std::optional<std::string> {
        QLineEdit* b = box(std::string(field));
        if (!b) return std::nullopt;
        return sstr(b->text());
    };
}

bool FormBoxes::rejected(const FormCheck& check, Host& host) const {
    if (check.ok()) return false;
    QLineEdit* b = box(check.badfield);
    // A box the scale or field type has switched off must still be
    // correctable, or the dialog could never be accepted.
    if (b && !b->isEnabled()) b->setEnabled(true);
    if (!check.reason.empty()) host.explain(explanation("Input Error", "", check.reason));
    inputerror(b, host);
    return true;
}

bool FormBoxes::checked(DialogKind dialog, FieldValues& values, Host& host) const {
    return !rejected(checkdialog(dialog, boxtext(), values), host);
}

}  // namespace crustex
