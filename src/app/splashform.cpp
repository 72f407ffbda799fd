#include "splashform.h"

#include "drawing/disegnoform.h"
#include "shared/windows.h"

#include <QDir>
#include <QFileInfo>
#include <QTransform>

namespace zelmor::app {

using tk::Control;
using tk::ControlKind;

void MultimediaControl::setCommand(const QString& command) {
    if (command == QLatin1String("open")) {
        open_ = true;
        player_->open(resolvedPath());
    } else if (command == QLatin1String("play")) {
        player_->play();
    } else if (command == QLatin1String("pause")) {
        player_->pause();
    } else if (command == QLatin1String("close")) {
        open_ = false;
        player_->close();
    }
}

QString MultimediaControl::resolvedPath() const {
    if (QFileInfo(FileName).isAbsolute()) return FileName;
    QString found = app_->platform().dataFile(FileName);
    if (!found.isEmpty()) return found;
    return QDir::current().absoluteFilePath(FileName);
}

SplashForm::SplashForm(tk::Application& app, shared::ModZelmor& shared)
    : tk::Form(app, shared::window::kSplash), MMControl1(app, shared.music()), shared_(&shared) {
    build();
}

Control& SplashForm::addLabel(int index, const tk::Rect& geometry) {
    Control& c = add(ControlKind::Label, QStringLiteral("label"), index);
    c.setGeometry(geometry);
    c.setBackColor(tk::colors::kBlack);
    c.setForeColor(tk::colors::kYellow);
    c.onClick = [this] { clicked(); };
    return c;
}

void SplashForm::build() {
    setBorderStyle(BorderStyle::None);
    setHasTitleBar(false);
    setBackColor(tk::colors::kBlack);
    setScaleSize(kClientWidth, kClientHeight);

    Control& image = add(ControlKind::Image, QStringLiteral("Image1"));
    image.setGeometry({480, 600, 2295, 3225});
    image.setImage(picture());
    image.setSpeech({.name = QStringLiteral("disegno di un modello di esempio")});
    image.onClick = [this] { clicked(); };

    // The yellow bands that frame the window.
    const auto band = [this](int index, const tk::Rect& r) {
        Control& b = addLabel(index, r);
        b.setBackColor(tk::colors::kYellow);
        b.setSpeech({.silent = true});
    };
    band(0, {0, 0, 8775, 255});

    Control& maker = addLabel(1, {2880, 480, 5520, 525});
    maker.setText(QStringLiteral("software VELTRANO"));
    maker.setAlignment(tk::Alignment::Center);
    maker.setAutoSize(true);
    maker.setFont({QStringLiteral("Z003"), 21.75, true, true});

    Control& presents = addLabel(2, {3840, 1200, 3855, 375});
    presents.setText(QString(24, QLatin1Char(' ')) + QStringLiteral("presenta"));
    presents.setFont({QStringLiteral("MS Sans Serif"), 12, false, false});

    Control& name = addLabel(3, {5535, 1560, 2535, 765});
    name.setAlignment(tk::Alignment::Center);
    name.setAutoSize(true);
    name.setFont({QStringLiteral("Arial Black"), 27.75, true, false});

    Control& subtitle = addLabel(4, {3000, 2640, 5415, 375});
    subtitle.setAlignment(tk::Alignment::Center);
    subtitle.setFont({QStringLiteral("MS Sans Serif"), 12, false, false});

    addLabel(5, {3840, 3070, 3855, 375});

    Control& warning = addLabel(7, {480, 4080, 7935, 195});
    warning.setText(
        QStringLiteral("Avviso: ogni abuso del presente software, compreso il file "
                       "audio, sarà perseguito a norma di legge"));
    warning.setFont({QStringLiteral("Arial"), 8.25, false, false});

    Control& hint = addLabel(8, {3960, 4800, 4455, 255});
    hint.setText(
        QStringLiteral("(cliccare sulla finestra per iniziare; premere un tasto per uscire)"));
    // The keyboard begins too; the line's own words are the window's and stay as they are. A
    // screen reader hears it as the window opens, before a key is pressed.
    const QString keys =
        QStringLiteral("Invio o barra spaziatrice per iniziare; un altro tasto per uscire");
    hint.setDescription(keys);
    setDescription(keys);

    band(9, {240, 5160, 8295, 255});
    band(10, {8520, 255, 255, 5175});
    band(11, {0, 255, 255, 5175});

    // Last, so that it lies over the edition line's label, whose bottom reaches past it.
    Control& frame = add(ControlKind::Shape, QStringLiteral("Shape1"));
    frame.setGeometry({3720, 3000, 4050, 350});
    frame.setBorderColor(tk::colors::kYellow);
}

const QImage& SplashForm::picture() {
    static const QImage image = [] {
        // A model with every kind of link figure near the centre: the surface situation all
        // round, a central zone linked to four others, two of them linked to each other.
        model::ModelData m;
        m.endemicKind = model::EndemicKind::Superficiale;
        m.endemicTypology = 1;
        m.endemicValue = QStringLiteral("forte");
        const struct {
            int typology;
            const char* value;
            const char* links;
        } rows[] = {{1, "forte", "con 2-3-4-5"},
                    {2, "medio", "con 1-4"},
                    {3, "debole", "con 1"},
                    {6, "medio", "con 1-2"},
                    {9, "forte", "con 1"}};
        int i = 0;
        for (const auto& r : rows) {
            model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i++)];
            s.typology = r.typology;
            s.value = QString::fromLatin1(r.value);
            s.links = QString::fromLatin1(r.links);
        }
        m.subsystemCount = QString::number(i);
        const QImage drawn = drawing::renderModel(m).transformed(QTransform().rotate(90));
        return drawn.scaled(215, 299, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    }();
    return image;
}

void SplashForm::load() {
    centreOnScreen();

    MMControl1.FileName = QStringLiteral("Internet.mid");
    MMControl1.setCommand(QStringLiteral("open"));
    // Played once; nothing starts it again when it ends.
    MMControl1.setCommand(QStringLiteral("play"));
    at(QStringLiteral("label"), 3).setText(shared_->product().name);
    at(QStringLiteral("label"), 4).setText(shared_->product().subtitle);
    at(QStringLiteral("label"), 5)
        .setText(QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE ") + shared_->product().version);
}

void SplashForm::unload() {
    // The music goes with the window, however it was closed.
    if (MMControl1.isOpen()) MMControl1.setCommand(QStringLiteral("close"));
}

void SplashForm::clicked() {
    MMControl1.setCommand(QStringLiteral("pause"));
    shared_->showMenuWindow();
}

void SplashForm::keyPressed(QChar c) {
    // Enter and Space begin, as the click does, so that the keyboard alone can start work.
    if (c == QChar(13) || c == QLatin1Char(' ')) {
        clicked();
        return;
    }
    MMControl1.setCommand(QStringLiteral("close"));
    app().unload(name());
    app().unload(shared::window::kCatalogue);
}

void SplashForm::showAsClosingScreen() {
    // Loaded again, when it had gone, the music opened and started afresh; now it resumes
    // where the click paused it.
    MMControl1.setCommand(QStringLiteral("play"));
    app().show(name());
    at(QStringLiteral("label"), 2)
        .setText(QString(10, QLatin1Char(' ')) + QStringLiteral("elaborazione eseguita con"));
}

}  // namespace zelmor::app
