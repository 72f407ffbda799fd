// Binders of the controls that show a value or a figure: the vertical scroll bar, fixed
// pictures, shapes and lines.
#include "binders.h"

#include "accessibility.h"
#include "formwindow.h"
#include "widgets.h"

#include <QScrollBar>

namespace zelmor::qtui {

namespace {

// A bar whose minimum is above its maximum (the top is the larger value) is shown negated, so
// that its upper arrow still raises the value.
class ScrollBarBinder : public Binder {
  public:
    QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const override {
        auto* bar = new QScrollBar(Qt::Vertical, parent);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        // Reached with Tab, its arrow keys move it as its arrows do (Up towards the top end).
        bar->setFocusPolicy(Qt::StrongFocus);
        setNegated(bar, false);
        tk::Control* c = &control;
        QObject::connect(bar, &QScrollBar::valueChanged, &window, [&window, c](int shown) {
            window.act(c,
                       [c, shown] { c->setValue(c->minimum() > c->maximum() ? -shown : shown); });
        });
        return bar;
    }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* bar = static_cast<QScrollBar*>(w);
        const bool inverted = c.minimum() > c.maximum();
        const int sign = inverted ? -1 : 1;
        setNegated(bar, inverted);
        bar->setRange(sign * c.minimum(), sign * c.maximum());
        bar->setValue(sign * c.value());
    }
};

class ImageBinder : public Binder {
  public:
    QWidget* create(tk::Control&, QWidget* parent, FormWindow&) const override {
        return new PictureLabel(parent);
    }
    Ground ground() const override { return Ground::Surface; }
    bool ownsMouse() const override { return true; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* label = static_cast<PictureLabel*>(w);
        label->setPicture(c.picture());
        label->setImage(c.image());
    }
};

// Shapes and lines are only drawn: the mouse goes through them to what lies beneath, and a
// window that paints itself draws them with its drawing area.
class ShapeBinder : public Binder {
  public:
    QWidget* create(tk::Control&, QWidget* parent, FormWindow&) const override {
        return new ShapeWidget(parent);
    }
    bool reportsMouse() const override { return false; }
    bool paintedWithForm() const override { return true; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        static_cast<ShapeWidget*>(w)->setLook(tk::shapeLook(c));
    }
};

class LineBinder : public Binder {
  public:
    QWidget* create(tk::Control&, QWidget* parent, FormWindow&) const override {
        return new LineWidget(parent);
    }
    bool reportsMouse() const override { return false; }
    bool paintedWithForm() const override { return true; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        static_cast<LineWidget*>(w)->setLine(QPoint(toPixels(c.x1()), toPixels(c.y1())),
                                             QPoint(toPixels(c.x2()), toPixels(c.y2())),
                                             c.borderWidth(), toQColor(c.borderColor()));
    }
    bool takesRect() const override { return false; }
};

}  // namespace

namespace binders {

const Binder& scrollBar() {
    static const ScrollBarBinder binder;
    return binder;
}

const Binder& image() {
    static const ImageBinder binder;
    return binder;
}

const Binder& shape() {
    static const ShapeBinder binder;
    return binder;
}

const Binder& line() {
    static const LineBinder binder;
    return binder;
}

}  // namespace binders

}  // namespace zelmor::qtui
