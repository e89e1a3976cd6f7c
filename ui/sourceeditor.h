// The source editor: the list of model sources (one fault, one inflation
// point, or up to twenty sources of either kind), edited on a working copy
// that "OK" and "Apply" hand to the model and "Cancel" throws away.
#pragma once

#include <QDialog>

#include "model/faultrec.h"
#include "plot/surface.h"
#include "ui/dialogkit.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace crustex {

class Workbench;
class FaultAssistant;
class PointAssistant;

class SourceEditor : public QDialog {
    Q_OBJECT
public:
    SourceEditor(Workbench& wb, QWidget* parent = nullptr);

    // Copies the model's sources into the working copy, shows the current
    // one (highlighted on the plot) and shows the dialog.
    void entryfaultform();
    // Shows the dialog again after a pointing mode and redraws the overlay.
    void returnfaultform();

    // Results of the pointing modes, written with "0.#" into the boxes.
    void setFirstEdge(float x, float y);
    void setSecondEdge(float x, float y);
    void setEdges(float x0, float y0, float x1, float y1);
    void setPointSource(float x, float y);

    // The working record the boxes were last stored into.
    const faultrec& currentRecord() const;

    // After a file installed new sources: the list becomes "Single Fault",
    // "Single Point" and, with more than one source, "Multi-Source1" ..
    // "Multi-Source<n>", selecting the first source; the working copy is the
    // model's again. The selection handler does not run meanwhile.
    void rebuildList();

    // --- Buttons (also reached by clicks) ---
    void addClicked();
    void deleteClicked();
    bool okClicked();
    bool applyClicked();
    void pointFaultClicked();   // mousebt
    void pointPointClicked();   // mousebt2
    void assistFaultClicked();  // assistbt
    void assistPointClicked();  // assistbt2

    // --- Read-outs for the window and tests ---
    int sourceCount() const { return n_; }
    int currentSource() const { return c_; }
    const faultrec& workingRecord(int k) const { return work_[k]; }
    bool modified() const { return modified_; }
    QComboBox* sourceList() const { return faultlist_; }
    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    FaultAssistant* faultAssistant() const { return assist_; }
    PointAssistant* pointAssistant() const { return assist2_; }

    // Blue: the current source on the plot.
    static constexpr Rgb kHighlight{0, 0, 255};

protected:
    // "Cancel" and closing the window: the working copy's changes are lost.
    void reject() override;

private:
    void buildLayout();
    void listSelected(int index);
    // Stores the boxes into the current working record; false (after the
    // input error) when a box is rejected.
    bool storetxt();
    void filltxt();
    void showKind();
    // Hands the working copy to the model.
    bool fixparam();
    // Rewrites the list without running the selection handler.
    void setListEntries(const QStringList& entries, int selected);
    void selectEntry(int index);
    int entryOfCurrent() const;
    // The plot: every working source, the current one in blue.
    void redrawWorking();
    void highlightCurrent();
    void drawSource(const faultrec& f, Rgb color);
    void setBoxNumber(const char* field, float v, const char* pattern);

    Workbench& wb_;
    FaultTable work_{};
    int n_ = 1;
    int c_ = 1;
    bool modified_ = false;
    bool rebuilding_ = false;
    int listIndex_ = 0;

    FormBoxes boxes_;
    QComboBox* faultlist_ = nullptr;
    QPushButton* addbt_ = nullptr;
    QPushButton* delbt_ = nullptr;
    QRadioButton* optFault_ = nullptr;
    QRadioButton* optPoint_ = nullptr;
    QStackedWidget* kindPages_ = nullptr;
    QWidget* faultPage_ = nullptr;
    QWidget* pointPage_ = nullptr;
    QPushButton* applybt_ = nullptr;
    FaultAssistant* assist_ = nullptr;
    PointAssistant* assist2_ = nullptr;
};

}  // namespace crustex
