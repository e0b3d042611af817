#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace tavlo {

// Files dropped on a window: every drag is welcome, and each drop is handed on.
class FileDrop final : public QObject {
public:
    FileDrop(QWidget& window, std::function<void(const QMimeData*)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QMimeData*)> m_dropped;
};

// The local files a drop carries, in order; none for a drop of anything else.
QStringList localFiles(const QMimeData* data);

} // namespace tavlo
