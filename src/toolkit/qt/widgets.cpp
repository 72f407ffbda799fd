#include "widgets.h"

#include "pictures.h"

#include <QFontDatabase>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

namespace zelmor::qtui {

namespace {

enum class Face { Sans, Narrow, Serif, Mono, Script };

Face faceOf(const QString& name) {
    const QString n = name.toLower();
    const auto any = [&](std::initializer_list<const char*> words) {
        return std::any_of(words.begin(), words.end(),
                           [&](const char* w) { return n.contains(QLatin1String(w)); });
    };
    if (any({"courier", "mono", "console", "fixedsys", "terminal"})) return Face::Mono;
    if (any({"script", "chancery", "corsiva", "chorus", "z003"})) return Face::Script;
    if (any({"narrow", "condensed"})) return Face::Narrow;
    if (any({"sans", "arial", "helvetica", "tahoma", "verdana"})) return Face::Sans;
    if (any({"times", "roman", "serif", "georgia", "garamond", "bookman", "century"})) {
        return Face::Serif;
    }
    return Face::Sans;
}

// Installed faces metrically close to the Windows ones, best first.
QStringList substitutes(Face face) {
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                           QStringLiteral("DejaVu Sans")};
    switch (face) {
        case Face::Narrow:
            return QStringList{QStringLiteral("Liberation Sans Narrow"),
                               QStringLiteral("Nimbus Sans Narrow"),
                               QStringLiteral("DejaVu Sans Condensed")} +
                   sans;
        case Face::Serif:
            return {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                    QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
        case Face::Mono:
            return {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                    QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")};
        case Face::Script:
            // Calligraphic faces first; an italic serif is the closest plain fallback.
            return {QStringLiteral("Z003"),
                    QStringLiteral("URW Chancery L"),
                    QStringLiteral("TeX Gyre Chorus"),
                    QStringLiteral("Liberation Serif"),
                    QStringLiteral("Nimbus Roman"),
                    QStringLiteral("DejaVu Serif")};
        case Face::Sans:
            break;
    }
    return sans;
}

QFont::StyleHint hintOf(Face face) {
    switch (face) {
        case Face::Serif:
            return QFont::Serif;
        case Face::Mono:
            return QFont::Monospace;
        case Face::Script:
            return QFont::Cursive;
        default:
            return QFont::SansSerif;
    }
}

QString installedFamily(const QString& name) {
    static QHash<QString, QString> cache;
    auto it = cache.constFind(name);
    if (it != cache.constEnd()) return *it;
    QString family;
    if (!name.isEmpty() && QFontDatabase::hasFamily(name)) {
        family = name;
    } else {
        const QStringList candidates = substitutes(faceOf(name));
        auto found = std::find_if(candidates.begin(), candidates.end(),
                                  [](const QString& f) { return QFontDatabase::hasFamily(f); });
        if (found != candidates.end()) family = *found;
    }
    cache.insert(name, family);
    return family;
}

}  // namespace

QFont toQFont(const tk::Font& font) {
    const QString name = font.name.isEmpty() ? QStringLiteral("MS Sans Serif") : font.name;
    const Face face = faceOf(name);
    QFont f;
    const QString family = installedFamily(name);
    if (!family.isEmpty()) f.setFamily(family);
    f.setStyleHint(hintOf(face));
    // Sized in pixels at 96 dots per inch, like the geometry: text keeps fitting its controls
    // whatever the desktop's resolution setting.
    const double points = font.size > 0 ? font.size : 8.25;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    // Every attribute is set explicitly, so nothing is inherited from a frame's font.
    f.setBold(font.bold);
    const QString lower = name.toLower();
    if (lower.contains(QLatin1String("black")) || lower.contains(QLatin1String("heavy"))) {
        f.setWeight(QFont::Black);
    }
    f.setItalic(font.italic);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

// --- CaptionLabel ---------------------------------------------------------------------------

namespace {
// How far a caption may be condensed, in per cent of its face's width.
constexpr int kMinStretch = 80;
}  // namespace

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void CaptionLabel::setHorizontalAlignment(tk::Alignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    update();
}

void CaptionLabel::setUseMnemonic(bool on) {
    if (on == useMnemonic_) return;
    useMnemonic_ = on;
    update();
}

int CaptionLabel::textFlags() const {
    int h = Qt::AlignLeft;
    if (alignment_ == tk::Alignment::Center) h = Qt::AlignHCenter;
    if (alignment_ == tk::Alignment::Right) h = Qt::AlignRight;
    return h | Qt::AlignTop | Qt::TextWordWrap | (useMnemonic_ ? Qt::TextShowMnemonic : 0);
}

QString CaptionLabel::shownText() const {
    QString t = text();
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QSize CaptionLabel::fittingSize() const {
    const QSize text = fontMetrics().size(useMnemonic_ ? Qt::TextShowMnemonic : 0, shownText());
    const int frame = 2 * frameWidth();
    return {text.width() + frame, std::max(text.height(), fontMetrics().height()) + frame};
}

void CaptionLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QString shown = shownText();
    const QRect area = contentsRect();
    // The installed faces run a little wider than the ones the layouts were made for: a
    // one-line caption that overflows by a little is condensed to fit, rather than wrapped onto
    // a line that the label's height would hide.
    const QFontMetrics fm = fontMetrics();
    if (!shown.contains(QLatin1Char('\n')) && area.height() < 2 * fm.lineSpacing()) {
        const int needed = fm.size(useMnemonic_ ? Qt::TextShowMnemonic : 0, shown).width();
        if (needed > area.width() && needed * kMinStretch <= area.width() * 100) {
            QFont condensed = font();
            condensed.setStretch(area.width() * 100 / needed);
            p.setFont(condensed);
        }
    }
    style()->drawItemText(&p, area, textFlags(), palette(), isEnabled(), shown, foregroundRole());
}

// --- FrameBox -------------------------------------------------------------------------------

FrameBox::FrameBox(QWidget* parent) : QGroupBox(parent) {}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    const QString caption = title();
    const int edge = caption.isEmpty() ? 0 : fm.height() / 2;
    const QRect box = rect().adjusted(0, edge, -1, -1);
    // The caption's span of the top edge stays open.
    int gapFrom = -1;
    int gapTo = -1;
    if (!caption.isEmpty()) {
        const int textWidth = fm.size(Qt::TextShowMnemonic, caption).width();
        gapFrom = 6;
        gapTo = gapFrom + textWidth + 4;
        style()->drawItemText(&p, QRect(gapFrom + 2, 0, textWidth, fm.height()),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                              isEnabled(), caption, QPalette::WindowText);
    }
    const auto etch = [&](const QRect& r, const QColor& c) {
        p.setPen(c);
        if (gapFrom < 0) {
            p.drawLine(r.topLeft(), r.topRight());
        } else {
            p.drawLine(r.topLeft(), QPoint(std::min(gapFrom, r.right()), r.top()));
            if (gapTo < r.right()) p.drawLine(QPoint(gapTo, r.top()), r.topRight());
        }
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };
    etch(box.adjusted(1, 1, 0, 0), Qt::white);
    etch(box.adjusted(0, 0, -1, -1), QColor(128, 128, 128));
}

// --- PictureButton --------------------------------------------------------------------------

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {}

void PictureButton::setPicture(const QString& name) {
    if (name == picture_) return;
    picture_ = name;
    update();
}

void PictureButton::paintEvent(QPaintEvent* event) {
    const QIcon icon = pictureIcon(picture_);
    if (icon.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    opt.icon = QIcon();
    p.drawControl(QStyle::CE_PushButton, opt);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    area.adjust(2, 2, -2, -2);
    if (isDown() || isChecked()) {
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opt, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this));
    }
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QString caption = text();
    QRect pictureArea = area;
    if (!caption.isEmpty()) {
        const int textHeight = fontMetrics().size(Qt::TextShowMnemonic, caption).height();
        pictureArea.setBottom(area.bottom() - textHeight - 1);
        style()->drawItemText(&p, area, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextShowMnemonic,
                              palette(), isEnabled(), caption, QPalette::ButtonText);
    }
    const int side = std::min(pictureArea.width(), pictureArea.height());
    if (side >= 6) {
        QRect target(0, 0, side, side);
        target.moveCenter(pictureArea.center());
        p.drawPixmap(target, icon.pixmap(target.size(), mode));
    }
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

// --- FocusMark ------------------------------------------------------------------------------

FocusMark::FocusMark(QWidget* parent) : QFocusFrame(parent) {}

void FocusMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    p.setPen(Qt::black);
    p.drawRect(outer);
    p.setPen(Qt::white);
    p.drawRect(outer.adjusted(1, 1, -1, -1));
}

// --- PictureLabel ---------------------------------------------------------------------------

PictureLabel::PictureLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

void PictureLabel::setPicture(const QString& name) {
    if (name == picture_) return;
    picture_ = name;
    render();
}

void PictureLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    render();
}

void PictureLabel::setImage(const QImage& image) {
    if (image == image_) return;
    image_ = image;
    render();
}

void PictureLabel::render() {
    if (!image_.isNull()) {
        setPixmap(QPixmap::fromImage(
            image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        return;
    }
    setPixmap(qtui::picture(picture_, size()));
}

// --- ShapeWidget ----------------------------------------------------------------------------

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
    // Shapes are decoration: the mouse reaches whatever lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setLook(const Look& look) {
    if (look == look_) return;
    look_ = look;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    tk::paintShape(p, rect(), look_);
}

// --- LineWidget -----------------------------------------------------------------------------

LineWidget::LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::setLine(QPoint from, QPoint to, int width, QColor color) {
    width_ = std::max(1, width);
    color_ = color;
    const int margin = width_;
    QRect box(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
              QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
    box.adjust(-margin, -margin, margin, margin);
    from_ = from - box.topLeft();
    to_ = to - box.topLeft();
    setGeometry(box);
    update();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    tk::paintLine(p, from_, to_, width_, color_);
}

}  // namespace zelmor::qtui
