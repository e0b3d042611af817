#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

namespace tavlo::test {

// Whether text, laid out as label lays it out, needs more room than the label has.
inline bool textCut(const QLabel* label, const QString& text)
{
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QString shown = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return !room.contains(QFontMetrics(label->font()).boundingRect(room, flags, shown));
}

// What a person would find wrong with the window's own controls, with the fonts they are
// shown in: one reaching outside the window, two overlapping, a caption cut. Empty when
// nothing is.
inline QString layoutFault(QWidget* window)
{
    window->ensurePolished();
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isHidden() && !w->objectName().startsWith(QLatin1String("qt_")))
            controls << w;
    }
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        if (!window->rect().contains(control->geometry()))
            return name + QStringLiteral(" reaches outside the window");
        for (QWidget* other : controls) {
            if (other != control && other->geometry().intersects(control->geometry()))
                return name + QStringLiteral(" overlaps ") + other->objectName();
        }
        control->ensurePolished();
        if (const auto* label = qobject_cast<QLabel*>(control);
            label && textCut(label, label->text()))
            return name + QStringLiteral(" cuts its text");
        if (const auto* button = qobject_cast<QAbstractButton*>(control);
            button && QFontMetrics(button->font()).horizontalAdvance(button->text()) >
                          button->contentsRect().width())
            return name + QStringLiteral(" cuts its caption");
    }
    return {};
}

} // namespace tavlo::test
