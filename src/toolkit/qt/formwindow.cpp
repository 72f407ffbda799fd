#include "formwindow.h"

#include "toolkit/paint.h"

#include "accessibility.h"
#include "binders.h"
#include "screenfit.h"
#include "widgets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <exception>
#include <utility>

namespace zelmor::qtui {

using tk::ControlKind;
using tk::MouseAction;

namespace {

void reportFailure(const QString& what) {
    const QString program = QCoreApplication::applicationName();
    qCritical("%s: %s", qPrintable(program), qPrintable(what));
    QMessageBox::critical(QApplication::activeWindow(), program,
                          QStringLiteral("Si è verificato un errore imprevisto:\n%1\n\n"
                                         "Il programma verrà chiuso.")
                              .arg(what));
    // Queued, so that it also ends a program whose event loop has not started yet.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
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
    installAccessibility();
    client_ = new ClientArea(this);
    describePicture(client_, QString(), QString());
    setCentralWidget(client_);
    buildMenus();
    for (const auto& c : form.controls()) {
        if (!c->hasGeometry()) continue;
        if (form.paintsItself() && binderFor(c->kind()).paintedWithForm()) continue;
        buildControl(*c);
    }
    buildToolbar();
    for (const auto& c : form.controls()) {
        if (c->kind() == ControlKind::Frame) fitFrame(*c);
    }
    // Now that every widget exists, each may be related to the label that names it.
    for (const auto& [control, binding] : bindings_) {
        if (binding.widget != nullptr) describe(*control, binding.widget);
    }
    buildTabOrder();
    focusMark_ = new FocusMark(client_);
    focusMark_->hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { markFocus(now); });
    syncForm();
}

namespace {

// Whether a shown sibling placed over it hides the widget, or one of its containers, whole:
// the particular-situation frame over the typology frames of the data-entry window.
bool covered(const QWidget* w, const QWidget* top) {
    for (; w != nullptr && w != top; w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (parent == nullptr) break;
        const QObjectList& siblings = parent->children();
        // Children paint in list order: the ones after w lie over it.
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            const auto* other = qobject_cast<const QWidget*>(siblings.at(i));
            if (other == nullptr || other->isHidden() || other->isWindow() ||
                other->testAttribute(Qt::WA_TransparentForMouseEvents)) {
                continue;
            }
            if (other->geometry().contains(w->geometry())) return true;
        }
    }
    return false;
}

}  // namespace

bool FormWindow::focusNextPrevChild(bool next) {
    // Tab passes over the controls the user cannot see.
    QWidget* const start = focusWidget();
    for (int guard = 0; guard < 1000; ++guard) {
        if (!QMainWindow::focusNextPrevChild(next)) return false;
        QWidget* now = focusWidget();
        if (now == nullptr || now == start || !covered(now, client_)) return true;
    }
    return true;
}

void FormWindow::markFocus(QWidget* focused) {
    if (focusMark_ == nullptr) return;
    // The control's own widget, not a part of it (the edit field of a combo box).
    QWidget* w = focused;
    while (w != nullptr && w != this && !controlOf_.contains(w)) w = w->parentWidget();
    if (w == nullptr || w == this || form_ == nullptr) {
        focusMark_->setWidget(nullptr);
        focusMark_->hide();
        return;
    }
    focusMark_->setWidget(w);
    focusMark_->show();
}

void FormWindow::buildTabOrder() {
    std::vector<tk::Control*> ordered;
    for (const auto& c : form_->controls()) {
        if (c->tabIndex() >= 0 && widget(*c) != nullptr) ordered.push_back(c.get());
    }
    if (ordered.empty()) {
        // Without an order of its own the window's first control that takes the keyboard
        // has it, not a button of the menu bar.
        for (const auto& c : form_->controls()) {
            QWidget* w = widget(*c);
            if (w != nullptr && c->reachable() && (w->focusPolicy() & Qt::TabFocus) != 0) {
                w->setFocus();
                return;
            }
        }
        return;
    }
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const tk::Control* a, const tk::Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        QWidget::setTabOrder(widget(*ordered[i - 1]), widget(*ordered[i]));
    }
    // The first place of the order has the keyboard when the window first comes up.
    widget(*ordered.front())->setFocus();
}

FormWindow::~FormWindow() {
    // The children go before this object does, and a focused one that goes after the focus mark
    // (in the menu bar or the toolbar) moves the focus: nothing may mark it any more.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    focusMark_ = nullptr;
}

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

QMenu* FormWindow::menu(const tk::Control& control) const {
    auto it = bindings_.find(&control);
    return it == bindings_.end() ? nullptr : it->second.menu;
}

void FormWindow::act(tk::Control* control, const std::function<void()>& gesture) {
    if (form_ == nullptr) return;
    // A control the gesture changed was shown as it changed; one it left as it was is shown
    // again here, since its widget may show what the runtime refused.
    Gesture current{control};
    Gesture* const outer = std::exchange(gesture_, &current);
    runUserAction(*app_, gesture);
    gesture_ = outer;
    if (form_ != nullptr && control != nullptr && !current.shown) syncControl(*control);
}

void FormWindow::actOnForm(const std::function<void()>& gesture) {
    if (form_ == nullptr) return;
    runUserAction(*app_, gesture);
}

// --- building -------------------------------------------------------------------------------

namespace {

bool holdsItems(const tk::Form& form, const QString& name) {
    const auto& controls = form.controls();
    return std::any_of(controls.begin(), controls.end(), [&](const auto& c) {
        return c->kind() == ControlKind::MenuItem && c->parentMenu() == name && c->name() != name;
    });
}

}  // namespace

void FormWindow::buildMenus() {
    for (const auto& up : form_->controls()) {
        tk::Control& c = *up;
        if (c.kind() != ControlKind::MenuItem || !c.parentMenu().isEmpty()) continue;
        // Only a window with a menu of its bar gets a menu bar, and the bar's height.
        addMenuItem(form_->isPopupMenu(c) ? static_cast<QWidget*>(this) : menuBar(), c, 0,
                    form_->isPopupMenu(c));
    }
}

void FormWindow::addMenuItems(QMenu* menu, const QString& parentName, int depth, bool popup) {
    if (depth > 8) return;  // a menu that names itself as its parent
    for (const auto& up : form_->controls()) {
        tk::Control& c = *up;
        if (c.kind() != ControlKind::MenuItem || c.parentMenu() != parentName) continue;
        if (c.name() == parentName) continue;
        addMenuItem(menu, c, depth, popup);
    }
}

void FormWindow::addMenuItem(QWidget* parent, tk::Control& item, int depth, bool popup) {
    tk::Control* c = &item;
    auto* bar = qobject_cast<QMenuBar*>(parent);
    auto* menu = qobject_cast<QMenu*>(parent);
    Binding b;
    if (c->separator()) {
        b.action = bar != nullptr ? bar->addSeparator() : menu->addSeparator();
    } else if (holdsItems(*form_, c->name())) {
        b.menu = new QMenu(parent);
        b.action = b.menu->menuAction();
        if (bar != nullptr) {
            bar->addMenu(b.menu);
        } else if (menu != nullptr) {
            menu->addMenu(b.menu);
        }
        // Opening a menu is its click: the program updates the entries there.
        connect(b.menu, &QMenu::aboutToShow, this, [this, c] { act(c, [c] { c->click(); }); });
        addMenuItems(b.menu, c->name(), depth + 1, popup);
    } else {
        b.action = new QAction(parent);
        if (!c->shortcut().isEmpty()) {
            b.action->setShortcut(QKeySequence(c->shortcut()));
            shortcutActions_.push_back(b.action);
            // A popup menu is no part of the window while it is closed: the window holds its
            // items' keys.
            if (popup) addAction(b.action);
        }
        if (bar != nullptr && c->text().startsWith(QLatin1Char(' '))) {
            // Blanks before a caption of the bar push it to the right end.
            b.action->setProperty("zelmorCorner", true);
            // Its access key (Alt and the marked letter) runs it, as for a menu of the bar.
            if (b.action->shortcut().isEmpty()) {
                b.action->setShortcut(QKeySequence::mnemonic(c->text()));
            }
            cornerButtons()->layout()->addWidget(cornerButton(b.action));
        } else {
            parent->addAction(b.action);
        }
        connect(b.action, &QAction::triggered, this, [this, c] { act(c, [c] { c->click(); }); });
    }
    b.action->setObjectName(c->displayName());
    bindings_[c] = b;
    binderFor(c->kind()).showAction(*c, b.action);
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
    // Out of the Tab order, which belongs to the window's controls.
    button->setFocusPolicy(Qt::NoFocus);
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
        binderFor(c->kind()).showAction(*c, b.action);
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
    const Binder& binder = binderFor(control.kind());
    QWidget* w = binder.create(control, containerWidget(control), *this);
    if (w == nullptr) return;
    w->setObjectName(control.displayName());
    if (binder.reportsMouse()) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
        controlOf_.insert(w, &control);
    }
    bindings_[&control].widget = w;
    binder.show(control, w);
}

// --- mirroring the runtime ------------------------------------------------------------------

void FormWindow::syncControl(tk::Control& control) {
    if (form_ == nullptr) return;
    if (gesture_ != nullptr && gesture_->control == &control) gesture_->shown = true;
    auto it = bindings_.find(&control);
    if (it == bindings_.end()) {
        if (form_->paintsItself()) client_->update();
        return;
    }
    const Binder& binder = binderFor(control.kind());
    if (it->second.widget != nullptr) {
        binder.show(control, it->second.widget);
        if (control.kind() == ControlKind::Frame) fitFrame(control);
        if (const tk::Control* frame = control.container()) fitFrame(*frame);
    } else if (it->second.action != nullptr) {
        binder.showAction(control, it->second.action);
    }
}

namespace {
// A frame's etched border is two pixels wide; one more of its own colour parts it from the
// controls that stand on its edge.
constexpr int kFrameEdge = 3;
}  // namespace

void FormWindow::fitFrame(const tk::Control& frame) {
    QWidget* box = widget(frame);
    if (box == nullptr || frame.kind() != ControlKind::Frame) return;
    // Controls placed flush with the frame's lower or right edge would hide its border there:
    // the frame is drawn that much larger, so that it is seen whole around them.
    QRect fitted = pixelRect(frame.geometry());
    int right = fitted.width();
    int bottom = fitted.height();
    for (const auto& c : form_->controls()) {
        if (c->container() != &frame) continue;
        const QWidget* w = widget(*c);
        if (w == nullptr || w->parentWidget() != box) continue;
        right = std::max(right, w->geometry().right() + 1 + kFrameEdge);
        bottom = std::max(bottom, w->geometry().bottom() + 1 + kFrameEdge);
    }
    fitted.setSize(QSize(right, bottom));
    if (box->geometry() != fitted) box->setGeometry(fitted);
}

void FormWindow::syncForm() {
    if (form_ == nullptr) return;
    if (windowTitle() != form_->caption()) setWindowTitle(form_->caption());
    // A window without a caption (the opening screen) is still named for a screen reader, with
    // what it tells in words when it does not paint them itself: a reader speaks the name as
    // the window opens.
    QString spoken;
    if (form_->caption().isEmpty()) {
        spoken = QGuiApplication::applicationDisplayName();
        if (!form_->description().isEmpty() && !form_->paintsItself()) {
            spoken += QStringLiteral(": ") + form_->description();
        }
    }
    if (accessibleName() != spoken) setAccessibleName(spoken);
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
    const bool picture = form_->paintsItself() && !form_->description().isEmpty();
    describePicture(client_, picture ? form_->caption() : QString(),
                    picture ? form_->description() : QString());
    if (isVisible()) {
        const bool minimized = form_->windowState() == tk::WindowState::Minimized;
        if (minimized && !isMinimized()) showMinimized();
        if (!minimized && isMinimized()) showNormal();
    }
}

void FormWindow::keepOnScreen() {
    if (form_ == nullptr || !isVisible() || isMinimized()) return;
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shown == nullptr) return;
    const Desktop desktop = desktopOf(shown);
    // The frame's own size is known once the window manager has framed the window.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins reported(inner.left() - outer.left(), inner.top() - outer.top(),
                            outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QMargins frame =
        expectedFrame(desktop, reported, !windowFlags().testFlag(Qt::FramelessWindowHint));
    // Where the window system reports no frame, the one it draws lies around what it reports.
    const QPoint unreported(frame.left() - reported.left(), frame.top() - reported.top());
    const Placement fitted =
        fitWindow(usableArea(desktop), frame, size(), outer.topLeft() - unreported);
    if (fitted.size != size()) resize(fitted.size);
    const QPoint at = fitted.frameAt + unreported;
    if (at != outer.topLeft()) move(at);
}

QSize FormWindow::wantedClientSize() const {
    return QSize(toPixels(form_->scaleWidth()), toPixels(form_->scaleHeight())) + extra_;
}

void FormWindow::applyClientSize() {
    if (form_ == nullptr) return;
    // No control's widget reaches past the drawing area's edge. A window without a frame (the
    // opening screen) is a picture of its exact size: what lies past its edge is not shown.
    const QSize design = wantedClientSize() - extra_;
    QSize want = design;
    const bool framed = !windowFlags().testFlag(Qt::FramelessWindowHint);
    for (const auto& [control, binding] : bindings_) {
        if (!framed) break;
        const QWidget* w = binding.widget;
        if (w == nullptr || w->parentWidget() != client_) continue;
        const QRect g = w->geometry();
        want = want.expandedTo(QSize(g.right() + 1, g.bottom() + 1));
    }
    extra_ = want - design;
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
    const QSize area = (have - extra_).expandedTo(QSize(1, 1));
    actOnForm([this, area] {
        form_->setScaleSize(area.width() * tk::kTwipsPerPixel, area.height() * tk::kTwipsPerPixel);
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
    const bool owns = binderFor(c->kind()).ownsMouse();
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
    // A report is writing from this window's data: the window stays until it is done.
    if (app_->busy()) return;
    const QString name = form_->name();
    actOnForm([this, name] { app_->close(name); });
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || form_ == nullptr) return;
    const tk::WindowState state =
        isMinimized() ? tk::WindowState::Minimized : tk::WindowState::Normal;
    if (state != form_->windowState()) actOnForm([this, state] { form_->setWindowState(state); });
}

FormWindow::MenuPlace FormWindow::keyboardMenuPlace() const {
    const QWidget* focused = QApplication::focusWidget();
    const QWidget* at = focused != nullptr && isAncestorOf(focused) && focused->isVisible()
                            ? focused
                            : static_cast<const QWidget*>(client_);
    return {at->mapToGlobal(at->rect().center()), true};
}

void FormWindow::askForContextMenu() {
    // As the desktop does for the Menu key: the control with the keyboard is asked first (a
    // text box has its own menu), then the window.
    QWidget* focused = QApplication::focusWidget();
    QWidget* target = focused != nullptr && isAncestorOf(focused) ? focused : client_;
    const QPoint at = target->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QCoreApplication::sendEvent(target, &request);
}

void FormWindow::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (form_ == nullptr) return;
    const bool keyboard = event->reason() != QContextMenuEvent::Mouse;
    if (keyboard && event->spontaneous()) menuKeyAnswered_ = true;
    const MenuPlace place = keyboard ? keyboardMenuPlace() : MenuPlace{event->globalPos(), false};
    const std::optional<MenuPlace> outer = std::exchange(menuPlace_, place);
    actOnForm([this] { form_->contextMenu(); });
    menuPlace_ = outer;
}

void FormWindow::popupMenu(const tk::Control& control) {
    QMenu* shown = menu(control);
    if (shown == nullptr || !isVisible()) return;
    MenuPlace place;
    if (menuPlace_) {
        place = *menuPlace_;
    } else if (frameGeometry().contains(QCursor::pos())) {
        place = {QCursor::pos(), false};
    } else {
        place = keyboardMenuPlace();
    }
    shown->popup(place.at);
    if (!place.keyboard) return;
    // From the keyboard the first item is chosen at once, ready for Enter or the arrows.
    const QList<QAction*> items = shown->actions();
    const auto first = std::find_if(items.begin(), items.end(), [](const QAction* a) {
        return a->isVisible() && a->isEnabled() && !a->isSeparator();
    });
    if (first != items.end()) shown->setActiveAction(*first);
}

bool FormWindow::openMenuBar() {
    // F10 opens the first menu of the bar, as on the other desktops; the arrows go on from it.
    if (menuWidget() == nullptr || !menuBar()->isVisible()) return false;
    for (QAction* a : menuBar()->actions()) {
        if (a->isVisible() && a->isEnabled() && !a->isSeparator()) {
            menuBar()->setFocus(Qt::MenuBarFocusReason);
            menuBar()->setActiveAction(a);
            return true;
        }
    }
    return false;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        event->accept();
        // Where the platform already asked for the menu, the key itself has nothing to do.
        if (!(menuKey && std::exchange(menuKeyAnswered_, false))) askForContextMenu();
        return;
    }
    menuKeyAnswered_ = false;
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier && openMenuBar()) {
        event->accept();
        return;
    }
    QString text = event->text();
    // Enter and Escape reach the window as the characters the classic desktop gave them,
    // whatever text the platform attaches to them.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        text = QString(QChar(13));
    } else if (event->key() == Qt::Key_Escape) {
        text = QString(QChar(27));
    }
    if (form_ == nullptr || text.isEmpty()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    const QChar typed = text.at(0);
    actOnForm([this, typed] { form_->key(typed); });
}

}  // namespace zelmor::qtui
