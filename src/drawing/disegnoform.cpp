#include "disegnoform.h"

#include "geometry/bmp.h"
#include "model/fileio.h"
#include "model/modelwords.h"
#include "pictureformats.h"
#include "shared/windows.h"
#include "toolkit/paint.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QPaintEngine>
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

DisegnoForm::~DisegnoForm() = default;

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
    // The context menu: the user's own copies of the drawing, for any other program. Offered
    // once a drawing is complete (modelliamo).
    Control& menu = add(ControlKind::MenuItem, QString::fromLatin1(kContextMenu));
    menu.setText(QStringLiteral("Disegno"));
    menu.setVisible(false);
    Control& copy = add(ControlKind::MenuItem, QStringLiteral("mnuCopia"));
    copy.setParentMenu(menu.name());
    copy.setText(QStringLiteral("&Copia disegno"));
    copy.setShortcut(QStringLiteral("Ctrl+C"));
    copy.setEnabled(false);
    copy.onClick = [this] { copyDrawing(); };
    Control& save = add(ControlKind::MenuItem, QStringLiteral("mnuEsporta"));
    save.setParentMenu(menu.name());
    save.setText(QStringLiteral("&Esporta disegno..."));
    save.setEnabled(false);
    save.onClick = [this] { exportDrawing(); };
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
    offerCopies(false);
    setDescription(QString());
    const model::ModelData drawn = shared_->currentModel();
    if (!showModel(drawn)) {
        fail();
        return false;
    }
    // What a screen reader tells of the drawing, and what the copies carry as its words.
    setDescription(model::modelInWords(drawn));

    picture_ = tk::grabClientArea(*this);
    // The drawing is whole: the user may take it, whatever becomes of the file.
    offerCopies(true);
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
    const QByteArray digest = geometry::pictureDigest(saved);
    shared_->setDrawnPicture({drawn, digest});
    writeVectorTwin(path, digest);
    // A model drawn is often a model about to be printed.
    shared_->prepareWordProcessor();
    return true;
}

void DisegnoForm::writeVectorTwin(const QString& picturePath,
                                  const QByteArray& pictureDigest) const {
    // Only after the picture: a twin always names a picture that is on the disk. When it fails
    // the drawing is still done, since the picture is what the reports need: the twin left from
    // before names another picture and is not printed. The user has nothing to do about it; the
    // terminal says why.
    const QByteArray twin = encodeDrawing(*this, PictureFormat::Emf,
                                          {QString(), geometry::twinPictureName(pictureDigest)});
    QString why;
    if (!geometry::saveVectorTwin(twin, picturePath, &why))
        qWarning().noquote() << QStringLiteral(
                                    "zelmor: stampa del disegno non salvata in \"%1\": %2.")
                                    .arg(geometry::vectorTwinPath(picturePath), why);
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

QByteArray encodeModel(const model::ModelData& model, PictureFormat format,
                       const PictureText& text) {
    tk::Application scratch({});
    shared::ModZelmor shared(scratch);
    DisegnoForm window(scratch, shared);
    window.showModel(model);
    return encodeDrawing(window, format, text);
}

void DisegnoForm::offerCopies(bool on) {
    at(QStringLiteral("mnuCopia")).setEnabled(on);
    at(QStringLiteral("mnuEsporta")).setEnabled(on);
}

PictureText DisegnoForm::pictureText() const {
    const QString project = shared_->document().title.project.simplified();
    QString title = QStringLiteral("Modello fenomenologico aspaziale");
    if (!project.isEmpty()) title += QStringLiteral(" - ") + project;
    return {title, QString(), description()};
}

void DisegnoForm::copyDrawing() {
    if (picture_.isNull()) return;
    const PictureText text = pictureText();
    tk::ClipboardPicture copy;
    copy.svg = encodeDrawing(*this, PictureFormat::Svg, text);
    copy.png = encodeDrawing(*this, PictureFormat::Png, text);
    copy.image = picture_;  // the plain bitmap, as the picture file holds it
    app().copyToClipboard(copy);
}

void DisegnoForm::exportDrawing() {
    if (picture_.isNull()) return;
    tk::CommonDialog dialog(app());
    dialog.title = QStringLiteral("Esporta disegno");
    dialog.filter = QStringLiteral(
        "Disegno vettoriale SVG (*.svg)|*.svg|Documento PDF (*.pdf)|*.pdf|"
        "Metafile EMF (*.emf)|*.emf|Immagine PNG a 300 dpi (*.png)|*.png");
    dialog.filterIndex = 1;
    dialog.fileName = shared_->drawingExportPath(QStringLiteral(".svg"));
    // The dialog opens in the reports' folder, beside the reports the drawing goes with.
    QDir().mkpath(QFileInfo(dialog.fileName).absolutePath());
    if (!dialog.showSave()) return;
    const QString path = dialog.fileName;
    const auto tell = [this, &path](const QString& why) {
        app().message(tk::MessageIcon::Critical, shared_->titles().dataCheck,
                      QStringLiteral("Impossibile salvare il file \"%1\": %2.\rIl file precedente, "
                                     "se esisteva, non è stato modificato.")
                          .arg(path, why));
    };
    const std::optional<PictureFormat> format = formatOfName(path);
    if (!format) {
        tell(QStringLiteral("il nome deve finire con .svg, .pdf, .emf o .png"));
        return;
    }
    const QByteArray bytes = encodeDrawing(*this, *format, pictureText());
    if (bytes.isEmpty()) {
        tell(QStringLiteral("il disegno è vuoto"));
        return;
    }
    // Written beside the old file and renamed over it only when whole.
    const QString why = model::writeWholeFile(path, bytes);
    if (!why.isEmpty()) tell(why);
}

void DisegnoForm::contextMenu() {
    popupMenu(QString::fromLatin1(kContextMenu));
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

void DisegnoForm::keyPressed(QChar c) {
    // Enter and Space on the picture do what the click does, for the keyboard alone.
    if (c == QChar(13) || c == QLatin1Char(' ')) clicked();
}

void paintLinks(QPainter& p, const std::vector<LinkPrimitive>& links, qreal scale) {
    if (links.empty()) return;
    p.save();
    const bool print = scale != 1;
    const bool rasterised =
        p.paintEngine() != nullptr && p.paintEngine()->type() == QPaintEngine::Raster;
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
                if (!rasterised) {
                    // A vector device strokes for nothing: one circle with its ring.
                    p.setBrush(fill);
                    p.drawEllipse(QPointF(centre), r, r);
                    break;
                }
                // Rasterised, the pen's ring as a black disc under a green one: the same
                // figure, but filling is several times cheaper than stroking an antialiased
                // curve, and a model may have a thousand circles.
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
