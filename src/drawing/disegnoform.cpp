#include "disegnoform.h"

#include "geometry/bmp.h"
#include "shared/windows.h"
#include "toolkit/paint.h"

#include <QDebug>
#include <QPainter>

#include <algorithm>

namespace zelmor::drawing {

using geometry::Figure;
using geometry::FigureGroup;
using geometry::kCanvasHeight;
using geometry::kCanvasWidth;
using geometry::LinkKind;
using geometry::LinkPrimitive;
using geometry::ModelLayout;
using tk::Control;
using tk::ControlKind;

namespace {

constexpr tk::Color kLinkFill{0, 255, 0};

}  // namespace

DisegnoForm::DisegnoForm(tk::Application& app, shared::ModZelmor& shared)
    : tk::Form(app, shared::window::kDrawing), shared_(&shared) {
    build();
}

// A twin still being written is waited for: the program, or a test's folder, may end next.
DisegnoForm::~DisegnoForm() {
    geometry::waitForPrintTwins();
}

void DisegnoForm::build() {
    setCaption(QStringLiteral("Zelmor: disegno del modello fenomenologico aspaziale"));
    setBackColor(tk::colors::kWhite);
    setBorderStyle(BorderStyle::Sizable);
    setScaleSize(kCanvasWidth, kCanvasHeight);

    // The order of the collection is the order of stacking: subsystem zones first, the endemic
    // figure over them.
    for (const Figure& f : geometry::repertoire()) {
        const bool line = f.group == FigureGroup::EndemicLine;
        Control& c = add(line ? ControlKind::Line : ControlKind::Shape,
                         geometry::groupName(f.group), f.index);
        if (line) {
            c.setGeometry({f.x1, f.y1, f.x2, f.y2});
        } else {
            c.setGeometry({f.left, f.top, f.width, f.height});
            c.setShapeKind(f.group == FigureGroup::Point ? tk::ShapeKind::Oval
                                                         : tk::ShapeKind::Rectangle);
            c.setFillStyle(f.fill);
            c.setFillColor(f.fillColor);
        }
        c.setBorderColor(f.outline);
        c.setBorderWidth(f.outlineWidth);
        c.setVisible(false);
    }
    // Carries the captured picture to the file; not part of the drawing.
    Control& holder = add(ControlKind::Image, QStringLiteral("Picture1"));
    holder.setGeometry({240, 120, 735, 495});
    holder.setVisible(false);
}

void DisegnoForm::startDrawing(tk::Application& app) {
    const QString name = shared::window::kDrawing;
    if (!app.isRegistered(name)) return;
    app.unload(name);
    if (auto* window = dynamic_cast<DisegnoForm*>(&app.load(name))) window->modelliamo();
}

void DisegnoForm::drawCommand(tk::Application& app, const shared::ModZelmor& shared,
                              bool dataEntered) {
    // A caption of another kind's table, kept by a change of kind, is no typology to draw.
    if (!dataEntered || !shared.currentModel().hasEndemicTypology()) {
        app.message(tk::MessageIcon::Critical, shared.titles().dataCheck,
                    QStringLiteral("Per poter visualizzare il disegno di un modello bisogna "
                                   "immettere tutti i dati necessari."));
        return;
    }
    startDrawing(app);
}

Control& DisegnoForm::figureControl(FigureGroup group, int index) const {
    return at(geometry::groupName(group), index);
}

bool DisegnoForm::modelliamo() {
    app().show(name());

    picture_ = QImage();
    const model::ModelData drawn = shared_->currentModel();
    if (!showModel(drawn)) {
        fail();
        return false;
    }

    picture_ = tk::grabClientArea(*this);
    const QString path = shared_->picturePath();
    QString why;
    QByteArray saved;
    if (!geometry::savePicture(picture_, path, &why, &saved)) {
        // The data were enough: only the file is at fault, and the user must know which.
        app().message(tk::MessageIcon::Critical, shared_->titles().onlineHelp,
                      QStringLiteral("Impossibile salvare il disegno del modello nel file \"%1\": "
                                     "%2.\rIl disegno resta visibile sullo schermo; il file "
                                     "precedente, se esisteva, non è stato modificato.")
                          .arg(path, why));
        return false;
    }
    // The reports print this file beside this model only, and only while it holds these bytes.
    shared_->setDrawnPicture({drawn, geometry::pictureDigest(saved)});
    writePrintTwin(path, saved);
    // A model drawn is often a model about to be printed.
    shared_->prepareWordProcessor();
    return true;
}

void DisegnoForm::writePrintTwin(const QString& picturePath, const QByteArray& pictureBytes) const {
    // Only after the picture: a twin always records a picture that is on the disk. When it
    // fails the drawing is still done, since the picture is what the reports need: the twin
    // left from before records another picture and is not printed. The user has nothing to
    // do about it; the terminal says why. Painted here, encoded and written in the background.
    geometry::savePrintTwinLater(tk::grabClientArea(*this, geometry::kPrintScale), pictureBytes,
                                 picturePath);
}

bool DisegnoForm::showModel(const model::ModelData& model) {
    for (const Figure& f : geometry::repertoire())
        figureControl(f.group, f.index).setVisible(false);
    links_.clear();
    repaint();

    const ModelLayout layout = geometry::layoutModel(model);
    for (const Figure& f : layout.shown) {
        Control& c = figureControl(f.group, f.index);
        c.setBorderWidth(f.outlineWidth);
        c.setVisible(true);
    }
    if (!layout.complete) return false;

    links_ = geometry::linkPrimitives(model);
    repaint();
    return true;
}

QImage renderModel(const model::ModelData& model, qreal scale) {
    // A window of its own that is never shown: the same figures, stacking and painting as on
    // screen, without touching the program's windows.
    tk::Application scratch({});
    shared::ModZelmor shared(scratch);
    DisegnoForm window(scratch, shared);
    window.showModel(model);
    return tk::grabClientArea(window, scale);
}

void DisegnoForm::fail() {
    app().message(tk::MessageIcon::Critical, shared_->titles().onlineHelp,
                  QStringLiteral("Non sono stati immessi tutti i dati dei sottosistemi necessari "
                                 "per il disegno: tornare al Menu."));
}

void DisegnoForm::paintBeneath(QPainter& painter, qreal scale) const {
    paintLinks(painter, links_, scale);
}

void DisegnoForm::load() {
    rescaling_.load(*this, 75, kDesignWidth, kDesignHeight);
}

void DisegnoForm::unload() {
    rescaling_.unload();
}

void DisegnoForm::resize() {
    rescaling_.resize();
}

void DisegnoForm::clicked() {
    shared_->showTitlePage();
}

void paintLinks(QPainter& p, const std::vector<LinkPrimitive>& links, qreal scale) {
    if (links.empty()) return;
    p.save();
    const bool print = scale != 1;
    p.setRenderHint(QPainter::Antialiasing, print);
    // The aliased pen marks the pixels its points name: scaled up, a point is that pixel's
    // centre, so that the figures cover the same pixels, each grown to a square of `scale`.
    if (print) {
        p.translate(scale / 2.0, scale / 2.0);
        p.scale(scale, scale);
    }
    // Mitred, so that a box keeps its square corners when the pen is thick.
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const QBrush fill(tk::toQColor(kLinkFill));
    const auto px = [](int twips) { return tk::twipsToPixels(twips); };
    for (const LinkPrimitive& l : links) {
        switch (l.kind) {
            case LinkKind::Segment:
                p.drawLine(px(l.x1), px(l.y1), px(l.x2), px(l.y2));
                break;
            case LinkKind::Box: {
                const QRect r =
                    QRect(QPoint(px(l.x1), px(l.y1)), QPoint(px(l.x2), px(l.y2))).normalized();
                p.setBrush(fill);
                // Outline on both corners, as the corners name the box's extreme pixels.
                p.drawRect(r.left(), r.top(), r.width() - 1, r.height() - 1);
                break;
            }
            case LinkKind::Circle: {
                const QPoint centre(px(l.x1), px(l.y1));
                const int r = px(l.r);
                if (!print) {
                    p.setBrush(fill);
                    p.drawEllipse(centre, r, r);
                    break;
                }
                // The pen's ring as a black disc under a green one: the same figure, but
                // filling is several times cheaper than stroking an antialiased curve, and a
                // model may have a thousand circles.
                p.save();
                p.setPen(Qt::NoPen);
                p.setBrush(Qt::black);
                p.drawEllipse(QPointF(centre), r + 0.5, r + 0.5);
                p.setBrush(fill);
                p.drawEllipse(QPointF(centre), std::max(0.0, r - 0.5), std::max(0.0, r - 0.5));
                p.restore();
                break;
            }
        }
    }
    p.restore();
}

}  // namespace zelmor::drawing
