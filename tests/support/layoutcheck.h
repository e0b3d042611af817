#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

namespace tavlo::test {

// Where text lands when label lays it out, in the label's own pixels.
inline QRect textRect(const QLabel* label, const QString& text)
{
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QString shown = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QFontMetrics(label->font()).boundingRect(label->contentsRect(), flags, shown);
}

// What a person would find wrong with the window's named controls, in the fonts they are
// shown in: one reaching outside the window, a caption cut, or two overlapping where
// something shows (a label's text, the whole of any other control). Empty when nothing is.
inline QString layoutFault(QWidget* window)
{
    window->ensurePolished(); // its children too
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isHidden() && !w->objectName().isEmpty())
            controls << w;
    }
    const auto shows = [](const QWidget* w) {
        const auto* label = qobject_cast<const QLabel*>(w);
        return label && !label->text().isEmpty()
                   ? textRect(label, label->text()).translated(label->pos())
                   : w->geometry();
    };
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* button = qobject_cast<QAbstractButton*>(control);
        if (!window->rect().contains(control->geometry()))
            return name + QStringLiteral(" reaches outside the window");
        if (label && !label->contentsRect().contains(textRect(label, label->text())))
            return name + QStringLiteral(" cuts its text");
        if (button && QFontMetrics(button->font()).horizontalAdvance(button->text()) >
                          button->contentsRect().width())
            return name + QStringLiteral(" cuts its caption");
        for (QWidget* other : controls) {
            if (other != control && shows(other).intersects(shows(control)))
                return name + QStringLiteral(" overlaps ") + other->objectName();
        }
    }
    return {};
}

} // namespace tavlo::test
