#include "ui/aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "ui/dialogkit.h"

namespace crustex {

AboutBox::AboutBox(Workbench&, QWidget* parent) : QDialog(parent) {
    setObjectName("aboutform");
    setWindowTitle("About CRUSTEX");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 22);
    layout->setSpacing(10);

    QLabel* name = makeCaption(this, "CRUSTEX   Ver. 2.1.00");
    name->setObjectName("namelbl");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    QLabel* purpose = makeCaption(this, "Elastic Source Deformation Workbench");
    purpose->setObjectName("purposelbl");
    purpose->setAlignment(Qt::AlignCenter);

    layout->addWidget(name);
    layout->addWidget(rule);
    layout->addWidget(purpose);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::entryaboutform() { showModal(this); }

void AboutBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hide();
}

}  // namespace crustex
