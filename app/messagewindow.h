#pragma once

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;
class QSizeGrip;

namespace tavlo {

// What the program's own message windows share: no title bar but a size grip, a band
// gradient from the window's start colour, placement over the centre of the owner (of the
// screen while the owner is not on it), and the keyboard focus on one chosen button whenever
// the window is activated. Escape presses the cancel button; a window without one ignores
// Escape. A text that its label's design size would cut grows the label and, if need be,
// the window: every text is shown whole.
class MessageWindow : public QDialog {
    Q_OBJECT

protected:
    MessageWindow(QWidget* owner, QColor start);

    // Call after setupUi().
    void setFocusButton(QPushButton* button);
    void setCancelButton(QPushButton* button);

    // text may hold CR LF line breaks. Call fitLabels() once every caption is set.
    static void setCaption(QLabel* label, const QString& text);
    void fitLabels();

    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QColor m_start;
    QSizeGrip* m_grip;
    QPushButton* m_focusButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace tavlo
