#include "formwindow.h"

#include "toolkit/paint.h"

#include "pictures.h"
#include "widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <exception>
#include <limits>

namespace zelmor::qtui {

using tk::ControlKind;
using tk::MouseAction;

namespace {

void reportFailure(const QString& what) {
    qCritical("Zelmor: %s", qPrintable(what));
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Zelmor"),
                          QStringLiteral("Si è verificato un errore imprevisto:\n%1\n\n"
                                         "Il programma verrà chiuso.")
                              .arg(what));
    // Queued, so that it also ends a program whose event loop has not started yet.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
}

QRect pixelRect(const tk::Rect& r) {
    // Both edges are rounded, so that controls that touch in twips touch on screen.
    const int x = toPixels(r.left);
    const int y = toPixels(r.top);
    return {x, y, std::max(0, toPixels(r.left + r.width) - x),
            std::max(0, toPixels(r.top + r.height) - y)};
}

Qt::Alignment horizontal(tk::Alignment a) {
    switch (a) {
        case tk::Alignment::Center:
            return Qt::AlignHCenter;
        case tk::Alignment::Right:
            return Qt::AlignRight;
        case tk::Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

// The roles a control's back colour paints, by kind; the rest keep the desktop's colours.
enum class Ground { Surface, Field, Button, None };

Ground groundOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::Frame:
        case ControlKind::Image:
            return Ground::Surface;
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
            return Ground::Field;
        case ControlKind::CommandButton:
            return Ground::Button;
        default:
            return Ground::None;
    }
}

void applyColors(QWidget* w, const tk::Control& c) {
    const auto key = [](const std::optional<tk::Color>& col) {
        return col ? toQColor(*col).name() : QStringLiteral("-");
    };
    const QString wanted = key(c.foreColor()) + QLatin1Char('/') + key(c.backColor());
    if (w->property("zelmorColors").toString() == wanted) return;
    w->setProperty("zelmorColors", wanted);

    // Every role is set, so that nothing is inherited from a coloured frame or window; a
    // control without a back colour lets its container show through instead.
    const QPalette desk = QApplication::palette();
    QPalette pal;
    const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive,
                                           QPalette::Disabled};
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        for (QPalette::ColorGroup g : groups) {
            const bool own = c.foreColor() && g != QPalette::Disabled;
            pal.setColor(g, role, own ? toQColor(*c.foreColor()) : desk.color(g, role));
        }
    }
    const Ground ground = groundOf(c.kind());
    const auto background = [&](QPalette::ColorRole role, bool own) {
        for (QPalette::ColorGroup g : groups) {
            pal.setColor(g, role, own ? toQColor(*c.backColor()) : desk.color(g, role));
        }
    };
    // A surface is filled with the widget's background role (Button for check and option
    // buttons, Window for the rest).
    const bool back = c.backColor().has_value();
    const QPalette::ColorRole surface = w->backgroundRole();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        const bool own = (ground == Ground::Surface && role == surface) ||
                         (ground == Ground::Field && role == QPalette::Base) ||
                         (ground == Ground::Button && role == QPalette::Button);
        background(role, back && own);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(back && ground == Ground::Surface);
}

// Qt cuts a text box at 32,767 characters by default, on the first key pressed in it; the
// program's text boxes hold whatever a data file brings, whole.
constexpr int kUnlimitedText = std::numeric_limits<int>::max();

bool ownsMouse(ControlKind kind) {
    // These report their own clicks and keep the mouse from the window beneath them.
    return kind == ControlKind::Label || kind == ControlKind::Image || kind == ControlKind::Frame;
}

}  // namespace

void runUserAction(tk::Application& app, const std::function<void()>& action) {
    try {
        app.dispatch(action);
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportFailure(QStringLiteral("errore sconosciuto"));
    }
}

// The drawing area: the form's own surface, below the menu bar.
class ClientArea : public QWidget {
  public:
    explicit ClientArea(FormWindow* window) : QWidget(window), window_(window) {
        setObjectName(QStringLiteral("client"));
        setMouseTracking(true);
        setAutoFillBackground(true);
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        window_->clientResized();
    }
    void mousePressEvent(QMouseEvent*) override { window_->formMouse(MouseAction::Down, false); }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        window_->formMouse(MouseAction::Down, false);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool click =
            e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        window_->formMouse(MouseAction::Up, click);
    }
    void mouseMoveEvent(QMouseEvent*) override { window_->formMouse(MouseAction::Move, false); }
    void paintEvent(QPaintEvent* event) override {
        const tk::Form* form = window_->form();
        if (form == nullptr || !form->paintsItself()) {
            QWidget::paintEvent(event);
            return;
        }
        // The same routine that the capture of the drawing area uses.
        QPainter p(this);
        tk::paintClientArea(p, *form);
    }

  private:
    FormWindow* window_;
};

FormWindow::FormWindow(tk::Application& app, tk::Form& form) : app_(&app), form_(&form) {
    setObjectName(form.name());
    if (!form.hasTitleBar() || form.borderStyle() == tk::Form::BorderStyle::None) {
        setWindowFlag(Qt::FramelessWindowHint);
    }
    client_ = new ClientArea(this);
    setCentralWidget(client_);
    buildMenus();
    for (const auto& c : form.controls()) {
        if (!c->hasGeometry()) continue;
        // A window that paints itself draws its shapes and lines with its drawing area.
        const bool painted = c->kind() == ControlKind::Shape || c->kind() == ControlKind::Line;
        if (painted && form.paintsItself()) continue;
        buildControl(*c);
    }
    buildToolbar();
    buildTabOrder();
    syncForm();
}

void FormWindow::buildTabOrder() {
    std::vector<tk::Control*> ordered;
    for (const auto& c : form_->controls()) {
        if (c->tabIndex() >= 0 && widget(*c) != nullptr) ordered.push_back(c.get());
    }
    if (ordered.empty()) return;
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const tk::Control* a, const tk::Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        QWidget::setTabOrder(widget(*ordered[i - 1]), widget(*ordered[i]));
    }
    // The first place of the order has the keyboard when the window first comes up.
    widget(*ordered.front())->setFocus();
}

FormWindow::~FormWindow() = default;

void FormWindow::detach() {
    form_ = nullptr;
    controlOf_.clear();
    bindings_.clear();
    shortcutActions_.clear();
}

QWidget* FormWindow::clientArea() const {
    return client_;
}

QWidget* FormWindow::widget(const tk::Control& control) const {
    auto it = bindings_.find(&control);
    return it == bindings_.end() ? nullptr : it->second.widget;
}

QAction* FormWindow::action(const tk::Control& control) const {
    auto it = bindings_.find(&control);
    return it == bindings_.end() ? nullptr : it->second.action;
}

void FormWindow::act(tk::Control* control, const std::function<void()>& gesture) {
    if (form_ == nullptr) return;
    runUserAction(*app_, gesture);
    if (form_ != nullptr && control != nullptr) syncControl(*control);
}

void FormWindow::actOnForm(const std::function<void()>& gesture) {
    if (form_ == nullptr) return;
    runUserAction(*app_, gesture);
}

// --- building -------------------------------------------------------------------------------

void FormWindow::buildMenus() {
    const auto& controls = form_->controls();
    const bool any = std::any_of(controls.begin(), controls.end(),
                                 [](const auto& c) { return c->kind() == ControlKind::MenuItem; });
    if (any) addMenuItems(menuBar(), QString(), 0);
}

void FormWindow::addMenuItems(QWidget* parent, const QString& parentName, int depth) {
    if (depth > 8) return;  // a menu that names itself as its parent
    auto* bar = qobject_cast<QMenuBar*>(parent);
    auto* menu = qobject_cast<QMenu*>(parent);
    const auto hasChildren = [this](const QString& name) {
        const auto& controls = form_->controls();
        return std::any_of(controls.begin(), controls.end(), [&](const auto& c) {
            return c->kind() == ControlKind::MenuItem && c->parentMenu() == name &&
                   c->name() != name;
        });
    };
    for (const auto& up : form_->controls()) {
        tk::Control* c = up.get();
        if (c->kind() != ControlKind::MenuItem || c->parentMenu() != parentName) continue;
        if (!parentName.isEmpty() && c->name() == parentName) continue;
        Binding b;
        if (c->separator()) {
            b.action = bar != nullptr ? bar->addSeparator() : menu->addSeparator();
        } else if (hasChildren(c->name())) {
            b.menu = new QMenu(parent);
            b.action = b.menu->menuAction();
            if (bar != nullptr) {
                bar->addMenu(b.menu);
            } else {
                menu->addMenu(b.menu);
            }
            // Opening a menu is its click: the program updates the entries there.
            connect(b.menu, &QMenu::aboutToShow, this, [this, c] { act(c, [c] { c->click(); }); });
            addMenuItems(b.menu, c->name(), depth + 1);
        } else {
            b.action = new QAction(parent);
            if (!c->shortcut().isEmpty()) {
                b.action->setShortcut(QKeySequence(c->shortcut()));
                shortcutActions_.push_back(b.action);
            }
            if (bar != nullptr && c->text().startsWith(QLatin1Char(' '))) {
                // Blanks before a caption of the bar push it to the right end.
                b.action->setProperty("zelmorCorner", true);
                cornerButtons()->layout()->addWidget(cornerButton(b.action));
            } else {
                parent->addAction(b.action);
            }
            connect(b.action, &QAction::triggered, this,
                    [this, c] { act(c, [c] { c->click(); }); });
        }
        b.action->setObjectName(c->displayName());
        bindings_[c] = b;
        syncAction(*c, b);
    }
}

QWidget* FormWindow::cornerButtons() {
    QWidget* corner = menuBar()->cornerWidget(Qt::TopRightCorner);
    if (corner == nullptr) {
        corner = new QWidget(menuBar());
        auto* row = new QHBoxLayout(corner);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
    }
    return corner;
}

QToolButton* FormWindow::cornerButton(QAction* action) {
    auto* button = new QToolButton;
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

void FormWindow::buildToolbar() {
    std::vector<tk::Control*> buttons;
    for (const auto& c : form_->controls()) {
        if (c->kind() == ControlKind::ToolbarButton) buttons.push_back(c.get());
    }
    if (buttons.empty()) return;
    std::stable_sort(
        buttons.begin(), buttons.end(),
        [](const tk::Control* a, const tk::Control* b) { return a->index() < b->index(); });

    toolBar_ = new QToolBar(client_);
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    // The bar keeps the desktop's face whatever the window's colour.
    toolBar_->setPalette(QApplication::palette());
    toolBar_->setAutoFillBackground(true);
    toolbarPixels_ = form_->toolbarHeight() > 0 ? toPixels(form_->toolbarHeight())
                                                : toolBar_->sizeHint().height();
    const int icon = std::max(16, toolbarPixels_ - 12);
    toolBar_->setIconSize(QSize(icon, icon));
    for (tk::Control* c : buttons) {
        Binding b;
        if (c->separator()) {
            b.action = toolBar_->addSeparator();
        } else {
            b.action = new QAction(toolBar_);
            toolBar_->addAction(b.action);
            connect(b.action, &QAction::triggered, this,
                    [this, c] { act(c, [c] { c->click(); }); });
        }
        b.action->setObjectName(c->displayName());
        bindings_[c] = b;
        syncAction(*c, b);
    }
    layoutToolbar();
    toolBar_->raise();
}

QWidget* FormWindow::containerWidget(const tk::Control& control) const {
    if (control.container() != nullptr) {
        if (QWidget* w = widget(*control.container())) return w;
    }
    return client_;
}

void FormWindow::buildControl(tk::Control& control) {
    QWidget* parent = containerWidget(control);
    tk::Control* c = &control;
    const auto clicks = [this, c](QAbstractButton* button) {
        connect(button, &QAbstractButton::clicked, this,
                [this, c] { act(c, [c] { c->click(); }); });
    };
    QWidget* w = nullptr;
    switch (control.kind()) {
        case ControlKind::Label:
            w = new CaptionLabel(parent);
            break;
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(kUnlimitedText);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, c](const QString& t) { act(c, [c, t] { c->setText(t); }); });
            w = edit;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            // The list belongs to the program: typing neither adds items nor completes them.
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
            combo->lineEdit()->setMaxLength(kUnlimitedText);
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, c](const QString& t) { act(c, [c, t] { c->setText(t); }); });
            connect(combo, &QComboBox::activated, this, [this, c, combo](int index) {
                const QString item = combo->itemText(index);
                act(c, [c, item] { c->choose(item); });
            });
            w = combo;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(parent);
            clicks(box);
            w = box;
            break;
        }
        case ControlKind::OptionButton: {
            // The runtime keeps the group; a selected button may also be cleared by the program.
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);
            clicks(option);
            w = option;
            break;
        }
        case ControlKind::Frame:
            w = new FrameBox(parent);
            break;
        case ControlKind::VScrollBar: {
            auto* bar = new QScrollBar(Qt::Vertical, parent);
            bar->setSingleStep(1);
            bar->setPageStep(1);
            connect(bar, &QScrollBar::valueChanged, this, [this, c](int shown) {
                act(c, [c, shown] { c->setValue(c->minimum() > c->maximum() ? -shown : shown); });
            });
            w = bar;
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = new PictureButton(parent);
            button->setAutoDefault(false);
            clicks(button);
            w = button;
            break;
        }
        case ControlKind::Image:
            w = new PictureLabel(parent);
            break;
        case ControlKind::Shape:
            w = new ShapeWidget(parent);
            break;
        case ControlKind::Line:
            w = new LineWidget(parent);
            break;
        case ControlKind::MenuItem:
        case ControlKind::ToolbarButton:
            return;
    }
    w->setObjectName(control.displayName());
    if (control.kind() != ControlKind::Shape && control.kind() != ControlKind::Line) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
        controlOf_.insert(w, c);
    }
    bindings_[c].widget = w;
    syncWidget(control, w);
}

// --- mirroring the runtime ------------------------------------------------------------------

void FormWindow::syncControl(tk::Control& control) {
    if (form_ == nullptr) return;
    auto it = bindings_.find(&control);
    if (it == bindings_.end()) {
        if (form_->paintsItself()) client_->update();
        return;
    }
    if (it->second.widget != nullptr) {
        syncWidget(control, it->second.widget);
    } else if (it->second.action != nullptr) {
        syncAction(control, it->second);
    }
}

void FormWindow::syncWidget(tk::Control& c, QWidget* w) {
    const QSignalBlocker blocker(w);
    const QFont font = toQFont(c.font());
    if (!w->testAttribute(Qt::WA_SetFont) || w->font() != font) w->setFont(font);
    applyColors(w, c);
    if (w->toolTip() != c.toolTip()) w->setToolTip(c.toolTip());
    w->setEnabled(c.enabled());

    QRect geometry = pixelRect(c.geometry());
    switch (c.kind()) {
        case ControlKind::Label: {
            auto* label = static_cast<CaptionLabel*>(w);
            if (label->text() != c.text()) label->setText(c.text());
            label->setHorizontalAlignment(c.alignment());
            label->setUseMnemonic(c.useMnemonic());
            label->setFrameStyle(c.bordered() ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
            label->setLineWidth(1);
            if (c.autoSize()) geometry.setSize(label->fittingSize());
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = static_cast<QLineEdit*>(w);
            if (edit->text() != c.text()) {
                const int cursor = edit->cursorPosition();
                edit->setText(c.text());
                edit->setCursorPosition(std::min<int>(cursor, c.text().size()));
            }
            edit->setAlignment(horizontal(c.alignment()) | Qt::AlignVCenter);
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(w);
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i) shown.append(combo->itemText(i));
            if (shown != c.items()) {
                combo->clear();
                combo->addItems(c.items());
                combo->setCurrentIndex(
                    combo->findText(c.text(), Qt::MatchExactly | Qt::MatchCaseSensitive));
            }
            if (combo->currentText() != c.text()) {
                QLineEdit* edit = combo->lineEdit();
                const int cursor = edit->cursorPosition();
                combo->setEditText(c.text());
                edit->setCursorPosition(std::min<int>(cursor, c.text().size()));
            }
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            auto* button = static_cast<QAbstractButton*>(w);
            if (button->text() != c.text()) button->setText(c.text());
            button->setChecked(c.value() != 0);
            // Right-aligned: the box stands to the right of the caption.
            button->setLayoutDirection(c.alignment() == tk::Alignment::Right ? Qt::RightToLeft
                                                                             : Qt::LeftToRight);
            break;
        }
        case ControlKind::Frame: {
            auto* frame = static_cast<QGroupBox*>(w);
            if (frame->title() != c.text()) frame->setTitle(c.text());
            break;
        }
        case ControlKind::VScrollBar: {
            // A bar whose minimum is above its maximum (the top is the larger value) is shown
            // negated, so that its upper arrow still raises the value.
            auto* bar = static_cast<QScrollBar*>(w);
            const bool inverted = c.minimum() > c.maximum();
            const int sign = inverted ? -1 : 1;
            bar->setRange(sign * c.minimum(), sign * c.maximum());
            bar->setValue(sign * c.value());
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = static_cast<PictureButton*>(w);
            if (button->text() != c.text()) button->setText(c.text());
            button->setPicture(c.picture());
            break;
        }
        case ControlKind::Image: {
            auto* label = static_cast<PictureLabel*>(w);
            label->setPicture(c.picture());
            label->setImage(c.image());
            break;
        }
        case ControlKind::Shape: {
            static_cast<ShapeWidget*>(w)->setLook(tk::shapeLook(c));
            break;
        }
        case ControlKind::Line:
            static_cast<LineWidget*>(w)->setLine(QPoint(toPixels(c.x1()), toPixels(c.y1())),
                                                 QPoint(toPixels(c.x2()), toPixels(c.y2())),
                                                 c.borderWidth(), toQColor(c.borderColor()));
            break;
        case ControlKind::MenuItem:
        case ControlKind::ToolbarButton:
            break;
    }
    if (c.kind() != ControlKind::Line && w->geometry() != geometry) w->setGeometry(geometry);
    if (w->isHidden() == c.visible()) w->setVisible(c.visible());
}

void FormWindow::syncAction(tk::Control& c, const Binding& b) {
    QAction* a = b.action;
    if (!c.separator()) {
        if (c.kind() == ControlKind::MenuItem) {
            const QString text =
                a->property("zelmorCorner").toBool() ? c.text().trimmed() : c.text();
            if (a->text() != text) a->setText(text);
            if (c.value() != 0 || a->isCheckable()) {
                a->setCheckable(true);
                a->setChecked(c.value() != 0);
            }
        } else {
            if (a->data().toString() != c.picture()) {
                a->setData(c.picture());
                a->setIcon(pictureIcon(c.picture()));
            }
            const QString text = c.text().isEmpty() ? c.toolTip() : c.text();
            if (a->text() != text) a->setText(text);
            if (a->toolTip() != c.toolTip()) a->setToolTip(c.toolTip());
        }
        a->setEnabled(c.enabled());
    }
    a->setVisible(c.visible());
}

void FormWindow::syncForm() {
    if (form_ == nullptr) return;
    if (windowTitle() != form_->caption()) setWindowTitle(form_->caption());
    const QColor back = toQColor(form_->backColor());
    if (client_->palette().color(QPalette::Window) != back) {
        QPalette pal;
        pal.setColor(QPalette::Window, back);
        client_->setPalette(pal);
    }
    const QPoint at(toPixels(form_->left()), toPixels(form_->top()));
    if (!placed_ || at != placedAt_) {
        move(at);
        placedAt_ = at;
        placed_ = true;
    }
    applyClientSize();
    if (form_->paintsItself()) client_->update();
    if (isVisible()) {
        const bool minimized = form_->windowState() == tk::WindowState::Minimized;
        if (minimized && !isMinimized()) showMinimized();
        if (!minimized && isMinimized()) showNormal();
    }
}

QSize FormWindow::wantedClientSize() const {
    return {toPixels(form_->scaleWidth()), toPixels(form_->scaleHeight())};
}

void FormWindow::applyClientSize() {
    const QSize want = wantedClientSize();
    int menu = 0;
    if (QWidget* bar = menuWidget(); bar != nullptr && bar->isVisibleTo(this)) {
        menu = bar->heightForWidth(want.width());
        if (menu <= 0) menu = bar->sizeHint().height();
    }
    const QSize outer(want.width(), want.height() + menu);
    if (size() != outer) resize(outer);
}

void FormWindow::layoutToolbar() {
    if (toolBar_ != nullptr) toolBar_->setGeometry(0, 0, client_->width(), toolbarPixels_);
}

// --- the user's gestures --------------------------------------------------------------------

void FormWindow::clientResized() {
    layoutToolbar();
    if (form_ == nullptr || !isVisible() || isMinimized()) return;
    const QSize have = client_->size();
    if (have == wantedClientSize()) return;
    actOnForm([this, have] {
        form_->setScaleSize(have.width() * tk::kTwipsPerPixel, have.height() * tk::kTwipsPerPixel);
    });
}

void FormWindow::formMouse(MouseAction action, bool click) {
    actOnForm([this, action, click] {
        form_->mouse(action);
        // The mouse handler may have closed the window.
        if (click && form_ != nullptr) form_->click();
    });
}

bool FormWindow::forwardMouse(tk::Control* c, QWidget* w, QEvent* event) {
    if (!w->isEnabled()) return false;
    const bool owns = ownsMouse(c->kind());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            actOnForm([c] { c->mouse(MouseAction::Down); });
            return owns;
        case QEvent::MouseButtonRelease: {
            const auto* me = static_cast<QMouseEvent*>(event);
            const bool click = owns && me->button() == Qt::LeftButton &&
                               w->rect().contains(me->position().toPoint());
            actOnForm([this, c, click] {
                c->mouse(MouseAction::Up);
                if (click && form_ != nullptr) c->click();
            });
            return owns;
        }
        case QEvent::MouseMove:
            actOnForm([c] { c->mouse(MouseAction::Move); });
            return owns;
        default:
            return false;
    }
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (form_ != nullptr) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseMove:
                if (auto it = controlOf_.constFind(watched); it != controlOf_.constEnd()) {
                    return forwardMouse(*it, static_cast<QWidget*>(watched), event);
                }
                break;
            case QEvent::ShortcutOverride: {
                // The window's menu keys win over a text box's own editing keys (Ctrl+A,
                // Ctrl+C), as they always did: the keyboard is nearly always in a text box.
                if (shortcutActions_.empty() || !controlOf_.contains(watched)) break;
                const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
                for (const QAction* a : shortcutActions_) {
                    if (a->isEnabled() && a->shortcut() == pressed) {
                        event->ignore();  // not overridden: the menu's shortcut runs
                        return true;
                    }
                }
                break;
            }
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (form_ == nullptr) {
        event->accept();
        return;
    }
    // The runtime decides: the window goes when its form is unloaded.
    event->ignore();
    const QString name = form_->name();
    actOnForm([this, name] { app_->unload(name); });
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || form_ == nullptr) return;
    const tk::WindowState state =
        isMinimized() ? tk::WindowState::Minimized : tk::WindowState::Normal;
    if (state != form_->windowState()) actOnForm([this, state] { form_->setWindowState(state); });
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (form_ == nullptr || text.isEmpty()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    const QChar typed = text.at(0);
    actOnForm([this, typed] { form_->key(typed); });
}

}  // namespace zelmor::qtui
