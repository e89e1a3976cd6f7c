#include "ui/inputerror.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>
#include <string>
#include <vector>

using namespace crustex;

namespace {

// Records each message and what the box looked like while it was shown.
class RecordingHost : public SilentHost {
public:
    struct Shown {
        std::string text, title;
        MsgIcon icon;
        MsgButtons buttons;
        bool boxFocused;
        QString selected;
    };
    QLineEdit* watched = nullptr;
    std::vector<Shown> shown;

    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override {
        shown.push_back({text, title, icon, buttons, watched && watched->hasFocus(),
                         watched ? watched->selectedText() : QString()});
        return MsgAnswer::Ok;
    }
};

}  // namespace

class InputErrorTest : public QObject {
    Q_OBJECT
private slots:
    void rejectedBoxIsFocusedAndSelectedBeforeTheMessage() {
        const QStringList texts{"abc", "", "12abc  "};
        for (const QString& text : texts) {
            QWidget dialog;
            auto* layout = new QVBoxLayout(&dialog);
            auto* good = new QLineEdit("10", &dialog);
            auto* bad = new QLineEdit(text, &dialog);
            layout->addWidget(good);
            layout->addWidget(bad);
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            good->setFocus();
            bad->setCursorPosition(1 < text.size() ? 1 : 0);
            QTRY_VERIFY(good->hasFocus());

            RecordingHost host;
            host.watched = bad;
            inputerror(bad, host);

            QCOMPARE(host.shown.size(), std::size_t(1));
            const auto& m = host.shown[0];
            QCOMPARE(QString::fromStdString(m.text), QString("Input Error"));
            QCOMPARE(QString::fromStdString(m.title), QString("Error"));
            QVERIFY(m.icon == MsgIcon::Critical);
            QVERIFY(m.buttons == MsgButtons::Ok);
            QVERIFY(m.boxFocused);
            QCOMPARE(m.selected, text);

            QVERIFY(bad->hasFocus());
            QCOMPARE(bad->selectedText(), text);
            if (!text.isEmpty()) QCOMPARE(bad->selectionStart(), 0);
            QCOMPARE(bad->text(), text);  // nothing of the entry is changed
        }
    }

    void withoutABoxOnlyTheMessageIsShown() {
        RecordingHost host;
        inputerror(nullptr, host);
        QCOMPARE(host.shown.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(host.shown[0].text), QString("Input Error"));
    }
};

QTEST_MAIN(InputErrorTest)
#include "inputerror_test.moc"
