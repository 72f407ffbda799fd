// The widgets the backend needs beyond the stock ones, and the conversions from the runtime's
// units (twips, colours, fonts) to Qt's.
#pragma once

#include "toolkit/control.h"
#include "toolkit/paint.h"

#include <QColor>
#include <QFocusFrame>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <optional>

namespace zelmor::qtui {

// The runtime's conversions from twips, shared with the painting of forms and their capture.
inline int toPixels(int twips) {
    return tk::twipsToPixels(twips);
}
using tk::pixelRect;
using tk::toQColor;
// The runtime's font on this desktop: a face the windows name that is not installed is
// replaced by an installed face of the same style (sans, serif, narrow, monospace); an empty
// name is the program's default sans face. Point sizes are taken at 96 dots per inch.
QFont toQFont(const tk::Font& font);

// A caption that reads '&' as the access-key marker ("&&" is a literal ampersand) and wraps at
// word boundaries inside its rectangle, as the program's labels always did. text() keeps the
// caption as given.
class CaptionLabel : public QLabel {
  public:
    explicit CaptionLabel(QWidget* parent = nullptr);
    void setHorizontalAlignment(tk::Alignment a);
    void setUseMnemonic(bool on);
    // The size that fits the caption on one line (plus the frame), for auto-sized labels.
    QSize fittingSize() const;
    // A scrollable caption that does not fit shows a vertical scroll bar along its right edge
    // and scrolls with it, the wheel and the bar's keys. Call updateScrollBar() once the
    // caption changed; size and font changes are followed by themselves.
    void setScrollable(bool on);
    void updateScrollBar();
    QScrollBar* scrollBar() const { return scrollBar_; }
    // The height the wrapped caption takes at the width it is shown at.
    int captionHeight() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    int textFlags() const;
    QString shownText() const;
    // Where the caption is drawn: the contents, less the scroll bar while it is shown.
    QRect captionArea() const;
    int heightAt(int width) const;
    tk::Alignment alignment_ = tk::Alignment::Left;
    bool useMnemonic_ = true;
    bool scrollable_ = false;
    QScrollBar* scrollBar_ = nullptr;
};

// A frame: an etched rectangle whose caption interrupts its top edge. Drawn here rather than by
// the style, so that the frame's colour is exactly the colour asked for.
class FrameBox : public QGroupBox {
  public:
    explicit FrameBox(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button with a picture: on a face tall enough for both, the picture sits above its
// caption; on a low face (the bars' buttons are 25 pixels high) it stands beside it, the pair
// centred. The caption is condensed, and the picture and then the caption made smaller, until
// both fit inside the face. With no caption the picture fills the face.
class PictureButton : public QPushButton {
  public:
    // Where the picture and the caption go on the face, in the button's pixels, and the font
    // the caption is drawn with.
    struct Face {
        QRect picture;
        QRect caption;
        QFont font;
    };

    explicit PictureButton(QWidget* parent = nullptr);
    void setPicture(const QString& name);
    const QString& picture() const { return picture_; }
    // The face at the button's present size; an empty picture rectangle when it has none.
    Face face() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter presses the button that has the keyboard, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString picture_;
};

// The mark around the control that has the keyboard: a black and a white ring, seen on the
// program's dark frames and bars as well as on light ones, where the style's own focus
// rectangle is too faint or missing (scroll bars).
class FocusMark : public QFocusFrame {
  public:
    explicit FocusMark(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A fixed picture of the program's set, drawn at the size of its rectangle.
class PictureLabel : public QLabel {
  public:
    explicit PictureLabel(QWidget* parent = nullptr);
    void setPicture(const QString& name);
    const QString& picture() const { return picture_; }
    // A picture of the program's own making, stretched to the label; it wins over the name.
    void setImage(const QImage& image);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void render();
    QString picture_;
    QImage image_;
};

// A rectangle or oval: a border of whole pixels, an optional opaque background and a fill that
// may be a hatch over the transparent interior. Drawn without antialiasing, pixel-exact.
class ShapeWidget : public QWidget {
  public:
    using Look = tk::ShapeLook;

    explicit ShapeWidget(QWidget* parent = nullptr);
    void setLook(const Look& look);
    const Look& look() const { return look_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Look look_;
};

// A straight line between two points of its container. The widget only covers the line's
// bounding box (widened by the pen), so it hides nothing else from the mouse or the eye.
class LineWidget : public QWidget {
  public:
    explicit LineWidget(QWidget* parent = nullptr);
    // End points in the container's pixels.
    void setLine(QPoint from, QPoint to, int width, QColor color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPoint from_;
    QPoint to_;
    int width_ = 1;
    QColor color_ = Qt::black;
};

}  // namespace zelmor::qtui
