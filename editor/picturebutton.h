#pragma once

#include <QPixmap>
#include <QWidget>

namespace tavlo {

// A borderless picture that works as a button. It shows its down image while a mouse
// button is held on it and while it has the keyboard focus, its up image otherwise.
// A left click, or Enter while the down image shows, emits clicked(); every other key
// is left to the window (Tab still moves on).
class PictureButton final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap upImage READ upImage WRITE setUpImage)
    Q_PROPERTY(QPixmap downImage READ downImage WRITE setDownImage)

public:
    explicit PictureButton(QWidget* parent = nullptr);

    const QPixmap& upImage() const { return m_up; }
    void setUpImage(const QPixmap& image);
    const QPixmap& downImage() const { return m_down; }
    void setDownImage(const QPixmap& image);

signals:
    void clicked();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showImage(bool down);

    QPixmap m_up;
    QPixmap m_down;
    bool m_showsDown = false;
    bool m_leftPressed = false;
};

} // namespace tavlo
