// The drawing window `disegno`: the repertoire of figures as shape and line controls (so that
// the rescaler moves and stretches them with the window), the link figures painted beneath them
// at fixed places, and `modelliamo`, which draws the model of the data-entry window and saves
// the captured drawing area as the picture file, and beside it its vector twin.
#pragma once

#include "geometry/layout.h"
#include "geometry/links.h"
#include "pictureformats.h"
#include "shared/clsresize.h"
#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

#include <QImage>

#include <array>
#include <vector>

namespace zelmor::drawing {

class DisegnoForm : public tk::Form {
  public:
    static constexpr int kDesignWidth = 9600;
    static constexpr int kDesignHeight = 6825;

    DisegnoForm(tk::Application& app, shared::ModZelmor& shared);
    ~DisegnoForm() override;

    // Closes any drawing window, opens a new one and draws the current model in it: what every
    // drawing command runs once its own check has passed.
    static void startDrawing(tk::Application& app);
    // The working windows' drawing command: with `dataEntered` false (each window's own check)
    // the user is told that data are missing and nothing is drawn; else startDrawing.
    static void drawCommand(tk::Application& app, const shared::ModZelmor& shared,
                            bool dataEntered);

    // Draws the model: shows the window, the figures, the link figures, then captures the
    // drawing area and saves it, then its vector twin (geometry::saveVectorTwin). On any failure
    // the figures drawn so far stay, the user is told, and neither file is touched. True when
    // the picture was saved, whether or not its twin was.
    bool modelliamo();
    // Shows the figures and link figures of a model, without saving anything. False when the
    // layout stopped part-way (the figures so far stay shown, no link figures).
    bool showModel(const model::ModelData& model);

    // The link figures of the last drawing, in drawing order.
    const std::vector<geometry::LinkPrimitive>& links() const { return links_; }
    // The picture the last complete drawing captured (what `Picture1` carries to the file).
    const QImage& picture() const { return picture_; }

    bool paintsItself() const override { return true; }
    void paintBeneath(QPainter& painter, qreal scale) const override;

    void load() override;
    void unload() override;
    void resize() override;
    void clicked() override;
    void keyPressed(QChar c) override;
    void contextMenu() override;

    // The context menu's commands: the drawing on the clipboard (SVG, a 300-dpi PNG and the
    // plain bitmap), or in a file of a format the user chooses. Only a complete drawing.
    void copyDrawing();
    void exportDrawing();

  private:
    void build();
    tk::Control& figureControl(geometry::FigureGroup group, int index) const;
    void fail();
    void offerCopies(bool on);
    PictureText pictureText() const;

    static constexpr char kContextMenu[] = "mnuDisegno";
    void writeVectorTwin(const QString& picturePath, const QByteArray& pictureDigest) const;

    shared::ModZelmor* shared_;
    shared::WindowRescaling rescaling_;
    std::vector<geometry::LinkPrimitive> links_;
    QImage picture_;
};

// The drawing area of a model at the drawing window's opening size, as the picture file holds
// it, or `scale` times finer for print, painted without any window of the program.
QImage renderModel(const model::ModelData& model, qreal scale = 1);
// The same drawing in a file format (see pictureformats.h).
QByteArray encodeModel(const model::ModelData& model, PictureFormat format,
                       const PictureText& text = {});

// Paints link figures with the drawing window's pen and fill: one black pixel wide, boxes and
// circles filled solid green. Coordinates in twips; `scale` device pixels to a window pixel.
void paintLinks(QPainter& painter, const std::vector<geometry::LinkPrimitive>& links,
                qreal scale = 1);

}  // namespace zelmor::drawing
