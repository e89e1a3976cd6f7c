#include "ui/welcomewindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "ui/dialogkit.h"

namespace crustex {

WelcomeWindow::WelcomeWindow(Workbench&, QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName("welcomeform");
    setWindowTitle("Welcome to CRUSTEX");
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 26, 40, 26);
    layout->setSpacing(6);

    QLabel* welcome = makeCaption(this, "Welcome to");
    welcome->setObjectName("welcomelbl");
    QLabel* name = makeCaption(this, "CRUSTEX");
    name->setObjectName("namelbl");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 3.0);
    big.setBold(true);
    name->setFont(big);
    QLabel* version = makeCaption(this, "version 2.1");
    version->setObjectName("versionlbl");
    for (QLabel* l : {welcome, name, version}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void WelcomeWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    // Hidden, not closed: the main window owns the window and closes it at
    // the end of start-up, so a click never leaves it holding a dead window.
    hide();
}

}  // namespace crustex
