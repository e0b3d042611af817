#include "app/messagewindow.h"

#include "geometry/gradbands.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSizeGrip>

#include <algorithm>

namespace tavlo {

namespace {

// Between a grown label and a control it pushes aside.
constexpr int gap = 4;

bool sharesRows(const QRect& a, const QRect& b)
{
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

// The width of text as the label lays it out, with lines broken only where the text breaks
// them (wrapAt: QWIDGETSIZE_MAX) or wherever a word ends (wrapAt: 1, the longest word).
int textWidth(const QLabel* label, int wrapAt)
{
    return QFontMetrics(label->font())
        .boundingRect(0, 0, wrapAt, QWIDGETSIZE_MAX, Qt::TextWordWrap, label->text())
        .width();
}

} // namespace

MessageWindow::MessageWindow(QWidget* owner, QColor start)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_start(start)
    // Made before the window's own controls, so it stays below the buttons it may touch.
    , m_grip(new QSizeGrip(this))
{
    m_grip->resize(m_grip->sizeHint());
}

void MessageWindow::setFocusButton(QPushButton* button)
{
    m_focusButton = button;
    button->setFocus();
}

void MessageWindow::setCancelButton(QPushButton* button)
{
    m_cancelButton = button;
}

void MessageWindow::setCaption(QLabel* label, const QString& text)
{
    label->setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void MessageWindow::fitLabels()
{
    // The fonts come from the style sheet.
    ensurePolished();
    QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.removeOne(m_grip);
    if (controls.isEmpty())
        return;
    // The window's own margin, kept at the right when a label widens.
    const int margin =
        (*std::min_element(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
            return a->x() < b->x();
        }))->x();
    const int widestWindow = screen() ? screen()->availableGeometry().width() : width();

    QList<QLabel*> labels = findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    for (QLabel* label : labels) {
        const QRect was = label->geometry();
        const int frame = was.width() - label->contentsRect().width();

        // Wider first, as far as the window and the controls beside the label leave room,
        // so that a line keeps its own breaks; then wide enough for the longest word,
        // pushing aside what stands in the way.
        int room = width() - margin - was.x();
        for (QWidget* other : controls) {
            if (other != label && other->x() > was.right() && sharesRows(other->geometry(), was))
                room = qMin(room, other->x() - gap - was.x());
        }
        int wide = was.width();
        const int natural = frame + textWidth(label, QWIDGETSIZE_MAX);
        if (natural > wide)
            wide = qMax(wide, qMin(natural, room));
        const int longestWord = frame + textWidth(label, 1);
        if (longestWord > wide)
            wide = qMin(longestWord, widestWindow - 2 * margin);
        if (wide > was.width()) {
            label->resize(wide, was.height());
            const int right = label->geometry().right();
            int windowWidth = width();
            for (QWidget* other : controls) {
                if (other == label)
                    continue;
                if (other->x() > was.right() && sharesRows(other->geometry(), was))
                    other->move(qMax(other->x(), right + gap), other->y());
                windowWidth = qMax(windowWidth, other->geometry().right() + 1 + margin);
            }
            resize(qMax(windowWidth, right + 1 + margin), height());
        }

        // Then taller, moving everything below the label down with it.
        const int extra = label->heightForWidth(label->width()) - was.height();
        if (extra > 0) {
            label->resize(label->width(), was.height() + extra);
            for (QWidget* other : controls) {
                if (other != label && other->y() > was.bottom())
                    other->move(other->x(), other->y() + extra);
            }
            resize(width(), height() + extra);
        }
    }
}

void MessageWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_focusButton)
        m_focusButton->setFocus();
    QDialog::changeEvent(event);
}

void MessageWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        if (m_cancelButton)
            m_cancelButton->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessageWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    GradBands(painter, size(), m_start.red(), m_start.green(), m_start.blue(), false);
}

void MessageWindow::resizeEvent(QResizeEvent* event)
{
    m_grip->move(width() - m_grip->width(), height() - m_grip->height());
    QDialog::resizeEvent(event);
}

void MessageWindow::showEvent(QShowEvent* event)
{
    // QDialog's own placement allows for a title bar that this window does not have. An
    // owner that is not shown yet (a refused file at start-up) has no place to centre on.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner && owner->isVisible())
        move(owner->frameGeometry().center() - rect().center());
    else if (QScreen* shown = (owner ? owner : this)->screen())
        move(shown->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace tavlo
