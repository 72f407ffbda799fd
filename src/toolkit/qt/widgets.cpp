#include "widgets.h"

#include "pictures.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWheelEvent>

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
    QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
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

void CaptionLabel::setScrollable(bool on) {
    if (on == scrollable_) return;
    scrollable_ = on;
    if (on && scrollBar_ == nullptr) {
        scrollBar_ = new QScrollBar(Qt::Vertical, this);
        scrollBar_->setObjectName(QStringLiteral("scroll"));
        scrollBar_->setFocusPolicy(Qt::StrongFocus);
        scrollBar_->hide();
        connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { update(); });
    }
    updateScrollBar();
}

QRect CaptionLabel::captionArea() const {
    QRect area = contentsRect();
    if (scrollBar_ != nullptr && !scrollBar_->isHidden()) {
        area.setRight(scrollBar_->geometry().left() - 3);
    }
    return area;
}

int CaptionLabel::captionHeight() const {
    return heightAt(captionArea().width());
}

int CaptionLabel::heightAt(int width) const {
    return fontMetrics()
        .boundingRect(QRect(0, 0, std::max(1, width), 1 << 20), textFlags(), shownText())
        .height();
}

void CaptionLabel::updateScrollBar() {
    if (scrollBar_ == nullptr) return;
    const QRect contents = contentsRect();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
    // The bar is needed when the caption does not fit the whole width; beside the bar, the
    // narrower caption may need more lines.
    const int beside = contents.width() - barWidth - 2;
    const bool needed = scrollable_ && contents.height() > 0 && beside > barWidth &&
                        heightAt(contents.width()) > contents.height();
    if (!needed) {
        scrollBar_->setValue(0);
        if (!scrollBar_->isHidden()) scrollBar_->hide();
        update();
        return;
    }
    const QRect bar(contents.right() + 1 - barWidth, contents.top(), barWidth, contents.height());
    if (scrollBar_->geometry() != bar) scrollBar_->setGeometry(bar);
    scrollBar_->setRange(0, std::max(0, heightAt(beside) - contents.height()));
    scrollBar_->setPageStep(contents.height());
    scrollBar_->setSingleStep(fontMetrics().lineSpacing());
    if (scrollBar_->isHidden()) scrollBar_->show();
    update();
}

void CaptionLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateScrollBar();
}

void CaptionLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateScrollBar();
    }
}

void CaptionLabel::wheelEvent(QWheelEvent* event) {
    if (scrollBar_ != nullptr && !scrollBar_->isHidden()) {
        QApplication::sendEvent(scrollBar_, event);
        return;
    }
    QLabel::wheelEvent(event);
}

void CaptionLabel::paintEvent(QPaintEvent* event) {
    // Only the frame: QLabel would paint the caption too, which is painted here, its own way.
    QFrame::paintEvent(event);  // NOLINT(bugprone-parent-virtual-call)
    QPainter p(this);
    const QString shown = shownText();
    if (scrollBar_ != nullptr && !scrollBar_->isHidden()) {
        // The part of the caption the bar has scrolled to.
        const QRect area = captionArea();
        p.setClipRect(area);
        const QRect page(area.left(), area.top() - scrollBar_->value(), area.width(),
                         captionHeight());
        style()->drawItemText(&p, page, textFlags(), palette(), isEnabled(), shown,
                              foregroundRole());
        return;
    }
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

namespace {
// Below these, a picture or a caption is no longer read as one.
constexpr int kMinPictureSide = 10;
constexpr int kComfortPictureSide = 16;
constexpr int kMinCaptionPixels = 8;
// How far a button's caption may be condensed, in per cent of its face's width.
constexpr int kMinButtonStretch = 75;
}  // namespace

PictureButton::Face PictureButton::face() const {
    Face face;
    face.font = font();
    if (!hasPicture(picture_)) return face;
    QStyleOptionButton opt;
    initStyleOption(&opt);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    area.adjust(1, 1, -1, -1);
    if (area.width() < kMinPictureSide || area.height() < kMinPictureSide) {
        area = rect().adjusted(2, 2, -2, -2);
    }
    const QString caption = text();
    if (caption.isEmpty()) {
        const int side = std::min(area.width(), area.height());
        face.picture = QRect(0, 0, side, side);
        face.picture.moveCenter(area.center());
        return face;
    }
    const auto captionSize = [&caption](const QFont& f) {
        return QFontMetrics(f).size(Qt::TextShowMnemonic, caption);
    };
    QSize text = captionSize(face.font);
    // Above the caption, where the face is tall enough for a picture of some size.
    const int above = std::min({area.height() - text.height() - 1, area.width(), 32});
    if (above >= 16 && text.width() <= area.width()) {
        const int top = area.top() + (area.height() - above - 1 - text.height()) / 2;
        face.picture = QRect(area.left() + (area.width() - above) / 2, top, above, above);
        face.caption = QRect(area.left() + (area.width() - text.width()) / 2, top + above + 1,
                             text.width(), text.height());
        return face;
    }
    // Beside it: the picture as high as the face allows, then whatever the caption needs.
    int side = std::clamp(area.height(), 0, 24);
    const auto gap = [&side] { return std::max(2, side / 6); };
    const auto room = [&] { return area.width() - side - gap(); };
    // A little smaller picture first, then a condensed caption, then a smaller picture still.
    while (text.width() > room() && side > kComfortPictureSide) --side;
    if (text.width() > room()) {
        const int stretch = std::max(kMinButtonStretch, room() * 100 / std::max(1, text.width()));
        face.font.setStretch(stretch);
        text = captionSize(face.font);
    }
    while (text.width() > room() && side > kMinPictureSide) --side;
    while ((text.width() > room() || text.height() > area.height()) &&
           face.font.pixelSize() > kMinCaptionPixels) {
        face.font.setPixelSize(face.font.pixelSize() - 1);
        text = captionSize(face.font);
    }
    side = std::min(side, area.height());
    const int width = std::min(area.width(), side + gap() + text.width());
    const int left = area.left() + (area.width() - width) / 2;
    const int middle = area.top() + area.height() / 2;
    face.picture = QRect(left, middle - side / 2, side, side);
    face.caption =
        QRect(left + side + gap(), middle - text.height() / 2,
              std::min(text.width(), area.right() + 1 - (left + side + gap())), text.height());
    return face;
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

    Face shown = face();
    if (isDown() || isChecked()) {
        const QPoint shift(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opt, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this));
        shown.picture.translate(shift);
        shown.caption.translate(shift);
    }
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    if (!shown.picture.isEmpty()) {
        p.drawPixmap(shown.picture, icon.pixmap(shown.picture.size(), mode));
    }
    if (!shown.caption.isEmpty()) {
        p.setFont(shown.font);
        style()->drawItemText(&p, shown.caption,
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), text(), QPalette::ButtonText);
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
