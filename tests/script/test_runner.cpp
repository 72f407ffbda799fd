#include "scriptrunner.h"

#include "toolkit/application.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace zelmor::script {
namespace {

using tk::ControlKind;
using tk::MessageButtons;
using tk::MessageIcon;
using tk::MessageResult;

// A small window with one control for each thing the runner must drive or read.
class TestForm : public tk::Form {
  public:
    TestForm(tk::Application& application, Recorders& rec, bool hideFrame)
        : tk::Form(application, QStringLiteral("prova")) {
        setCaption(QStringLiteral("Prova"));
        setBackColor({10, 20, 30});
        tk::Control& esito = add(ControlKind::Label, QStringLiteral("esito"));
        auto say = [&esito](const QString& s) { esito.setText(s); };
        auto button = [this](const char* name, std::function<void()> f) -> tk::Control& {
            tk::Control& c = add(ControlKind::CommandButton, QString::fromLatin1(name));
            c.onClick = std::move(f);
            return c;
        };

        button("saluta", [this] {
            app().message(MessageIcon::Information, QStringLiteral("Titolo"),
                          QStringLiteral("Ciao"));
        });
        button("avvisi", [this] {
            app().message(MessageIcon::Exclamation, QStringLiteral("Uno"), QStringLiteral("primo"));
            app().message(MessageIcon::Critical, QStringLiteral("Due"), QStringLiteral("secondo"));
        });
        button("chiedi", [this, say] {
            const MessageResult r =
                app().message(MessageIcon::Question, QStringLiteral("Domanda"),
                              QStringLiteral("Continuare?"), MessageButtons::YesNo);
            say(r == MessageResult::Yes ? QStringLiteral("si") : QStringLiteral("no"));
        });
        button("apri", [this, say] {
            tk::CommonDialog d(app());
            d.title = QStringLiteral("Apri");
            d.filter = QStringLiteral("Testo|*.txt");
            d.filterIndex = 2;
            d.fileName = QStringLiteral("dati.txt");
            say(d.showOpen() ? d.fileName : QStringLiteral("annullato"));
        });
        button("colore", [this, say] {
            tk::CommonDialog d(app());
            say(d.showColor()
                    ? QStringLiteral("%1,%2,%3").arg(d.color.r).arg(d.color.g).arg(d.color.b)
                    : QStringLiteral("annullato"));
        });
        button("guasto", [] { throw std::runtime_error("guasto interno"); });
        button("guasto2", [] { throw std::runtime_error("riga uno\nriga due"); });
        // Swallows whatever the dialog throws, as careless error handling would.
        button("inghiotte", [this] {
            try {
                app().message(MessageIcon::Question, QStringLiteral("Domanda"),
                              QStringLiteral("Sicuro?"), MessageButtons::YesNo);
            } catch (...) {
            }
        });
        button("chiudi", [this] { this->app().unload(name()); });
        button("fine", [this] {
            this->app().unload(QStringLiteral("nascosta"));
            this->app().unload(name());
        });
        button("mostra", [this] { this->app().show(QStringLiteral("nascosta")); });
        button("cartella", [say] { say(QDir::currentPath()); });
        button("spento", [say] { say(QStringLiteral("spento")); }).setEnabled(false);
        button("scrivi", [&rec] {
            rec.word << QStringLiteral("start") << QStringLiteral("type \"Zel\"")
                     << QStringLiteral("type \"mor\\r\"") << QStringLiteral("add table 5 2")
                     << QStringLiteral("cell 1 2 \"valori\"");
        });
        button("pagine", [&rec, say] { say(QString::number(rec.pages)); });
        button("suona", [&rec] {
            rec.music << QStringLiteral("open") << QStringLiteral("play");
            rec.musicFiles << QStringLiteral("/x/musica/zelmor.mid");
        });

        tk::Control& cornice = add(ControlKind::Frame, QStringLiteral("cornice"));
        cornice.setBackColor(tk::Color{1, 2, 3});
        cornice.setVisible(!hideFrame);
        add(ControlKind::CommandButton, QStringLiteral("dentro"), 0, &cornice).onClick = [say] {
            say(QStringLiteral("dentro"));
        };
        // Without a colour of their own, to show the one they stand on.
        add(ControlKind::Label, QStringLiteral("etichetta"), 0, &cornice)
            .setBackColor(std::nullopt);
        add(ControlKind::Label, QStringLiteral("sfondo")).setBackColor(std::nullopt);

        tk::Control& testo = add(ControlKind::TextBox, QStringLiteral("testo"));
        tk::Control& conta = add(ControlKind::Label, QStringLiteral("conta"), 1);
        testo.onChange = [&conta] { conta.setText(QString::number(conta.text().toInt() + 1)); };
        // Stops taking input after two characters.
        tk::Control& corto = add(ControlKind::TextBox, QStringLiteral("corto"));
        corto.onChange = [&corto] {
            if (corto.text().size() >= 2) corto.setEnabled(false);
        };

        tk::Control& scelta = add(ControlKind::ComboBox, QStringLiteral("scelta"));
        scelta.addItem(QStringLiteral("uno"));
        scelta.addItem(QStringLiteral("due"));
        scelta.onClick = [&scelta, say] { say(QStringLiteral("scelto ") + scelta.text()); };

        tk::Control& barra = add(ControlKind::VScrollBar, QStringLiteral("barra"));
        barra.setRange(10, 0);
        barra.onChange = [&barra, say] { say(QString::number(barra.value())); };

        add(ControlKind::CheckBox, QStringLiteral("spunta"), 2);
        tk::Control& linea = add(ControlKind::Line, QStringLiteral("linea"));
        linea.setGeometry({100, 200, 300, 400});
        linea.setBorderWidth(3);
        tk::Control& forma = add(ControlKind::Shape, QStringLiteral("forma"));
        forma.setGeometry({15, 30, 45, 60});
        forma.setToolTip(QStringLiteral("una forma"));
        forma.setBold(true);

        tk::Control& file = add(ControlKind::MenuItem, QStringLiteral("file"));
        tk::Control& esci = add(ControlKind::MenuItem, QStringLiteral("esci"));
        esci.setParentMenu(file.name());
        esci.onClick = [say] { say(QStringLiteral("esci")); };
        button("bloccamenu", [&file] { file.setEnabled(false); });
        tk::Control& sep = add(ControlKind::MenuItem, QStringLiteral("fileSep"), 1);
        sep.setSeparator(true);
        sep.setParentMenu(file.name());
        // A context menu: copies a picture of 4 x 3 pixels, or one whose PNG is broken.
        tk::Control& contesto = add(ControlKind::MenuItem, QStringLiteral("contesto"));
        contesto.setVisible(false);
        const auto copyItem = [this, &contesto](const char* name, bool broken) {
            tk::Control& item = add(ControlKind::MenuItem, QString::fromLatin1(name));
            item.setParentMenu(contesto.name());
            item.onClick = [this, broken] {
                tk::ClipboardPicture picture{"<svg/>", {}, QImage(4, 3, QImage::Format_RGB32)};
                picture.image.fill(Qt::white);
                QBuffer png(&picture.png);
                png.open(QIODevice::WriteOnly);
                picture.image.save(&png, "PNG");
                if (broken) picture.png.chop(picture.png.size() / 2);
                app().copyToClipboard(picture);
            };
        };
        copyItem("copia", false);
        copyItem("copiarotta", true);
        esito_ = &esito;
    }

    void clicked() override { esito_->setText(QStringLiteral("finestra")); }
    void keyPressed(QChar c) override { esito_->setText(QStringLiteral("tasto ") + c); }
    void mouse(tk::MouseAction a) override {
        esito_->setText(a == tk::MouseAction::Down ? QStringLiteral("giu")
                                                   : QStringLiteral("altro"));
    }
    void resize() override { esito_->setText(QString::number(scaleWidth())); }

  private:
    tk::Control* esito_ = nullptr;
};

// A second window, hidden and without a title bar.
class SplashForm : public tk::Form {
  public:
    explicit SplashForm(tk::Application& app) : tk::Form(app, QStringLiteral("nascosta")) {
        setHasTitleBar(false);
    }
};

struct Wiring {
    bool drawingWindow = false;  // registers "disegno" and reports a drawing
    QString* programFolder = nullptr;
    bool hideFrame = false;
};

class TestHost : public Host {
  public:
    TestHost(const tk::Application::Services& services, Recorders& rec, Wiring wiring)
        : app_(services), wiring_(wiring) {
        const bool hideFrame = wiring_.hideFrame;
        app_.registerForm(QStringLiteral("prova"), [&rec, hideFrame](tk::Application& a) {
            return std::make_unique<TestForm>(a, rec, hideFrame);
        });
        app_.registerForm(QStringLiteral("nascosta"),
                          [](tk::Application& a) { return std::make_unique<SplashForm>(a); });
        if (wiring_.drawingWindow) {
            app_.registerForm(QStringLiteral("disegno"), [](tk::Application& a) {
                return std::make_unique<tk::Form>(a, QStringLiteral("disegno"));
            });
        }
        if (wiring_.programFolder != nullptr) {
            // The program's own folder is the last place its read-only files are looked up.
            const QStringList folders = services.platform->dataFolders();
            *wiring_.programFolder = folders.isEmpty() ? QString() : folders.last();
        }
    }
    tk::Application& app() override { return app_; }
    void startup() override {
        app_.show(QStringLiteral("prova"));
        app_.load(QStringLiteral("nascosta"));
    }
    std::vector<DrawnPrimitive> lastDrawing() override {
        if (!wiring_.drawingWindow) return Host::lastDrawing();
        using K = DrawnPrimitive::Kind;
        return {{K::Segment, 1, 2, 3, 4},
                {K::Segment, 5, 6, 7, 8},
                {K::Box, 0, 0, 10, 10},
                {K::Circle, 50, 60, 70, 0}};
    }

  private:
    tk::Application app_;
    Wiring wiring_;
};

Runner makeRunner(Wiring wiring = {}, Options options = {}) {
    return Runner([wiring](const tk::Application::Services& s,
                           Recorders& rec) { return std::make_unique<TestHost>(s, rec, wiring); },
                  std::move(options));
}

struct Case {
    const char* name;
    const char* script;
    int failLine;             // 0: the scenario passes
    const char* messagePart;  // what the failure line says after "t.zs:LINE: "
};

void runCases(const Runner& runner, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Outcome out = runner.run(QStringLiteral("t.zs"), QByteArray(c.script));
        if (c.failLine == 0) {
            EXPECT_TRUE(out.passed) << c.name << ": " << out.failure.toStdString();
            EXPECT_TRUE(out.failure.isEmpty()) << c.name;
            continue;
        }
        EXPECT_FALSE(out.passed) << c.name;
        const QString prefix = QStringLiteral("t.zs:%1: ").arg(c.failLine);
        EXPECT_TRUE(out.failure.startsWith(prefix)) << c.name << ": " << out.failure.toStdString();
        EXPECT_TRUE(out.failure.contains(QString::fromUtf8(c.messagePart)))
            << c.name << ": " << out.failure.toStdString();
    }
}

TEST(ScriptRunner, MessagesAreRecordedAndConsumedInOrder) {
    runCases(
        makeRunner(),
        {
            {"checked",
             "start\nclick prova.saluta\nexpect message information \"Titolo\" \"Ciao\"\n"
             "expect no message",
             0, ""},
            {"oldest first",
             "start\nclick prova.avvisi\nexpect message exclamation \"Uno\" \"primo\"\n"
             "expect message critical \"Due\" \"secondo\"",
             0, ""},
            {"wrong order",
             "start\nclick prova.avvisi\nexpect message critical \"Due\" \"secondo\"", 3,
             "expected message critical \"Due\" \"secondo\", got message exclamation \"Uno\" "
             "\"primo\""},
            {"wrong icon", "start\nclick prova.saluta\nexpect message critical \"Titolo\" \"Ciao\"",
             3, "got message information"},
            {"none shown", "start\nexpect message information \"Titolo\" \"Ciao\"", 2,
             "got no message"},
            {"consumed once",
             "start\nclick prova.saluta\nexpect message information \"Titolo\" \"Ciao\"\n"
             "expect message information \"Titolo\" \"Ciao\"",
             4, "got no message"},
            {"no message left",
             "start\nclick prova.avvisi\nexpect message exclamation \"Uno\" \"primo\"\n"
             "expect no message",
             4, "got message critical \"Due\" \"secondo\""},
            {"unchecked at the end", "start\nclick prova.saluta\n# end\n", 3,
             "expected every message checked at the end, got message information"},
            {"two unchecked at the end", "start\nclick prova.avvisi", 2, "and 1 more"},
        });
}

TEST(ScriptRunner, AnswersAreQueuedAndMustBeUsed) {
    runCases(
        makeRunner(),
        {
            {"yes",
             "answer question yes\nstart\nclick prova.chiedi\n"
             "expect message question \"Domanda\" \"Continuare?\"\nexpect prova.esito text \"si\"",
             0, ""},
            {"in order",
             "start\nanswer question no\nanswer question yes\nclick prova.chiedi\nexpect "
             "prova.esito text \"no\"\n"
             "click prova.chiedi\nexpect prova.esito text \"si\"\n"
             "expect message question \"Domanda\" \"Continuare?\"\nexpect message question "
             "\"Domanda\" \"Continuare?\"",
             0, ""},
            {"missing question", "start\nclick prova.chiedi", 2, "no answer queued"},
            {"missing answer swallowed by the program",
             "start\nclick prova.inghiotte\nexpect no message", 2, "no answer queued"},
            {"file",
             "start\nanswer file \"{dir}/x.txt\"\nclick prova.apri\n"
             "expect dialog \"Apri\" \"Testo|*.txt\" 2 \"dati.txt\"\nexpect prova.esito text "
             "\"{dir}/x.txt\"",
             0, ""},
            {"file cancelled",
             "start\nanswer file cancel\nclick prova.apri\nexpect prova.esito text \"annullato\"",
             0, ""},
            {"dialog differs",
             "start\nanswer file cancel\nclick prova.apri\n"
             "expect dialog \"Apri\" \"Testo|*.txt\" 1 \"dati.txt\"",
             4, "got dialog \"Apri\" \"Testo|*.txt\" 2 \"dati.txt\""},
            {"no dialog", "start\nexpect dialog \"Apri\" \"\" 1 \"\"", 2, "got no file dialog"},
            {"missing file", "start\nclick prova.apri", 2,
             "file dialog \"Apri\" appeared with no answer"},
            {"colour",
             "start\nanswer colour 1 2 3\nclick prova.colore\nexpect prova.esito text \"1,2,3\"", 0,
             ""},
            {"colour cancelled",
             "start\nanswer colour cancel\nclick prova.colore\nexpect prova.esito text "
             "\"annullato\"",
             0, ""},
            {"missing colour", "start\nclick prova.colore", 2, "colour dialog"},
            {"unused answers",
             "start\nanswer file \"a\"\nanswer colour cancel\nanswer question no\n", 4,
             "got unused: file \"a\", colour cancel, question no"},
        });
}

TEST(ScriptRunner, ActionsNeedAReachableTarget) {
    runCases(
        makeRunner(),
        {
            {"before start", "click prova.saluta", 1, "window prova is not loaded"},
            {"unknown window", "start\nclick menu.apri", 2, "unknown window menu"},
            {"unknown control", "start\nclick prova.nulla(4)", 2, "unknown control prova.nulla(4)"},
            {"disabled", "start\nclick prova.spento", 2,
             "cannot click prova.spento: it is disabled"},
            {"disabled button not run", "start\nclick prova.spento\nexpect prova.esito text \"\"",
             2, "disabled"},
        });
    Wiring hidden;
    hidden.hideFrame = true;
    runCases(
        makeRunner(hidden),
        {
            {"hidden container", "start\nexpect prova.dentro visible \"1\"\nclick prova.dentro", 3,
             "cannot click prova.dentro: its container cornice is not visible"},
        });
}

TEST(ScriptRunner, ReachabilityFollowsContainersWindowsAndMenus) {
    // The frame is shown and then hidden through the program's own state.
    const Runner runner = makeRunner();
    runCases(
        runner,
        {
            {"in a visible frame", "start\nclick prova.dentro\nexpect prova.esito text \"dentro\"",
             0, ""},
            {"hidden window", "start\nclick nascosta", 2,
             "cannot click nascosta: window nascosta is not visible"},
            {"minimized window", "start\nminimize prova\nclick prova.saluta", 3,
             "window prova is minimized"},
            {"restored window", "start\nminimize prova\nrestore prova\nclick prova.dentro", 0, ""},
            {"menu item", "start\nclick prova.esci\nexpect prova.esito text \"esci\"", 0, ""},
            {"menu item of a disabled menu", "start\nclick prova.bloccamenu\nclick prova.esci", 3,
             "its menu file is disabled"},
            {"separator", "start\nclick prova.fileSep(1)", 2, "it is a separator"},
            {"kind that cannot be clicked", "start\nclick prova.testo", 2, "it is a text box"},
            {"closed window", "start\nclick prova.chiudi\nclick prova.saluta", 3,
             "window prova is not loaded"},
            {"close a hidden window", "start\nclose nascosta", 2, "window nascosta is not visible"},
            {"close without title bar", "start\nclick prova.mostra\nclose nascosta", 3,
             "window nascosta has no title bar"},
            {"expectations read hidden windows",
             "start\nexpect nascosta visible \"0\"\nexpect window nascosta hidden", 0, ""},
        });
}

TEST(ScriptRunner, TypingSettingChoosingScrolling) {
    runCases(
        makeRunner(),
        {
            {"one change per character",
             "start\ntype prova.testo \"abc\"\nexpect prova.testo text \"abc\"\n"
             "expect prova.conta(1) text \"3\"",
             0, ""},
            {"typing appends",
             "start\nset prova.testo \"ab\"\ntype prova.testo \"cd\"\nexpect prova.testo text "
             "\"abcd\"\n"
             "expect prova.conta(1) text \"3\"",
             0, ""},
            {"set is one change",
             "start\nset prova.testo \"abcdef\"\nexpect prova.conta(1) text \"1\"", 0, ""},
            {"one character of two bytes",
             "start\ntype prova.testo \"è\"\nexpect prova.conta(1) text \"1\"", 0, ""},
            {"box disabled while typing", "start\ntype prova.corto \"abcd\"", 2,
             "after typing 2 of 4 characters"},
            {"type into a label", "start\ntype prova.esito \"x\"", 2,
             "cannot type into prova.esito: it is a label"},
            {"choose", "start\nchoose prova.scelta \"due\"\nexpect prova.esito text \"scelto due\"",
             0, ""},
            {"choose a missing item", "start\nchoose prova.scelta \"tre\"", 2,
             "its items are \"uno\", \"due\""},
            {"scroll",
             "start\nscroll prova.barra 7\nexpect prova.esito text \"7\"\nexpect prova.barra value "
             "\"7\"",
             0, ""},
            {"scroll out of range", "start\nscroll prova.barra 11", 2, "its range is 10 to 0"},
            {"key", "start\nkey prova \"q\"\nexpect prova.esito text \"tasto q\"", 0, ""},
            {"mouse on window", "start\nmouse prova down\nexpect prova.esito text \"giu\"", 0, ""},
            {"click window", "start\nclick prova\nexpect prova.esito text \"finestra\"", 0, ""},
            {"resize", "start\nresize prova 3000 2000\nexpect prova.esito text \"3000\"", 0, ""},
            {"check box",
             "start\nclick prova.spunta(2)\nexpect prova.spunta(2) checked \"1\"\nclick "
             "prova.spunta(2)\n"
             "expect prova.spunta(2) checked \"0\"",
             0, ""},
            {"close",
             "start\nclick prova.mostra\nclose prova\nexpect window prova unloaded\n"
             "expect window nascosta visible",
             0, ""},
            // Nothing left on the screen: the hidden window goes too, and the program ends.
            {"close the last visible window",
             "start\nclose prova\nexpect window nascosta unloaded\nexpect program ended", 0, ""},
        });
}

TEST(ScriptRunner, PropertiesOfControlsAndWindows) {
    runCases(
        makeRunner(),
        {
            {"window",
             "start\nexpect prova caption \"Prova\"\nexpect prova backcolor \"10,20,30\"\n"
             "expect prova visible \"1\"",
             0, ""},
            {"window differs", "start\nexpect prova caption \"Altro\"", 2,
             "expected prova caption \"Altro\", got \"Prova\""},
            {"line",
             "start\nexpect prova.linea x1 \"100\"\nexpect prova.linea y1 \"200\"\nexpect "
             "prova.linea x2 \"300\"\n"
             "expect prova.linea y2 \"400\"\nexpect prova.linea borderwidth \"3\"",
             0, ""},
            {"shape",
             "start\nexpect prova.forma left \"15\"\nexpect prova.forma top \"30\"\nexpect "
             "prova.forma width \"45\"\n"
             "expect prova.forma height \"60\"\nexpect prova.forma tooltip \"una forma\"\n"
             "expect prova.forma bold \"1\"\nexpect prova.forma borderwidth \"1\"",
             0, ""},
            {"own colour", "start\nexpect prova.cornice backcolor \"1,2,3\"", 0, ""},
            {"container's colour", "start\nexpect prova.etichetta backcolor \"1,2,3\"", 0, ""},
            {"window's colour", "start\nexpect prova.sfondo backcolor \"10,20,30\"", 0, ""},
            {"disabled",
             "start\nexpect prova.spento enabled \"0\"\nexpect prova.saluta enabled \"1\"", 0, ""},
            {"line has no left", "start\nexpect prova.linea left \"0\"", 2,
             "prova.linea is a line: it has no left"},
            {"button has no x1", "start\nexpect prova.saluta x1 \"0\"", 2, "it has no x1"},
            {"menu item has no width", "start\nexpect prova.esci width \"0\"", 2,
             "it has no width"},
            {"label is not checked", "start\nexpect prova.esito checked \"0\"", 2,
             "it has no checked"},
            {"unknown window", "start\nexpect disegno caption \"x\"", 2, "unknown window disegno"},
            {"window states",
             "start\nexpect window prova visible\nexpect window prova loaded\n"
             "expect window nascosta hidden",
             0, ""},
            {"window state differs", "start\nexpect window nascosta visible", 2,
             "expected window nascosta visible, got hidden"},
            {"unknown window state", "start\nexpect window altro loaded", 2,
             "unknown window altro"},
            {"program ended",
             "start\nclick prova.fine\nexpect program ended\nexpect window prova unloaded", 0, ""},
            {"program not ended", "start\nexpect program ended", 2,
             "got windows still loaded: prova, nascosta"},
            {"program still running",
             "start\nclick prova.mostra\nclick prova.chiudi\nexpect program ended", 4,
             "got windows still loaded: nascosta"},
            {"exception", "start\nclick prova.guasto", 2, "the program failed: guasto interno"},
            {"exception text stays on one line", "start\nclick prova.guasto2", 2,
             "riga uno\\nriga due"},
            {"start twice", "start\nstart", 2, "already started"},
        });
}

TEST(ScriptRunner, FilesAndFolders) {
    runCases(
        makeRunner(),
        {
            {"bytes",
             "write \"a.bin\" \"x\\xE8\\r\\n\\x00y\"\nexpect file \"{dir}/a.bin\" "
             "\"x\\xE8\\r\\n\\x00y\"",
             0, ""},
            {"differs", "write \"a.txt\" \"abcd\"\nexpect file \"a.txt\" \"abXd\"", 2,
             "first difference at byte 2"},
            {"longer", "write \"a.txt\" \"ab\"\nexpect file \"a.txt\" \"abc\"", 2, "got \"ab\""},
            {"missing", "expect file \"nulla.txt\" \"\"", 1, "got no such file"},
            {"absent", "expect file \"nulla.txt\" absent", 0, ""},
            {"not absent", "write \"a.txt\" \"abc\"\nexpect file \"a.txt\" absent", 2,
             "got a file of 3 bytes"},
            {"folder is not a file", "write \"sub/a.txt\" \"\"\nexpect file \"sub\" \"\"", 2,
             "got a folder"},
            {"remove", "write \"a.txt\" \"a\"\nremove \"a.txt\"\nexpect file \"a.txt\" absent", 0,
             ""},
            {"remove an empty folder",
             "remove \"{dir}/Programmi\"\nexpect file \"{dir}/Programmi\" absent", 0, ""},
            {"remove a full folder", "write \"sub/a.txt\" \"\"\nremove \"sub\"", 2, "not empty"},
            {"remove nothing", "remove \"nulla\"", 1, "no such file or folder"},
            {"current folder is dir",
             "start\nclick prova.cartella\nexpect prova.esito text \"{dir}\"", 0, ""},
            {"program folder", "expect file \"{program}\" absent", 1, "got a folder"},
            {"begins", "write \"a.pdf\" \"%PDF-1.4\\n\"\nexpect file \"a.pdf\" begins \"%PDF-\"", 0,
             ""},
            {"begins otherwise",
             "write \"a.png\" \"GIF89a and more\"\nexpect file \"a.png\" begins \"\\x89PNG\"", 2,
             "got \"GIF89a and m\"... (first difference at byte 0)"},
            {"shorter than its beginning",
             "write \"a.txt\" \"ab\"\nexpect file \"a.txt\" begins \"abc\"", 2,
             "got \"ab\" (first difference at byte 2)"},
            {"no file to begin", "expect file \"nulla.svg\" begins \"<\"", 1, "got no such file"},
        });
}

TEST(ScriptRunner, Clipboard) {
    runCases(makeRunner(),
             {
                 {"nothing copied yet", "start\nexpect clipboard empty", 0, ""},
                 {"copied from a popup menu",
                  "start\nclick prova.copia\nexpect clipboard picture 4 3", 0, ""},
                 {"another size", "start\nclick prova.copia\nexpect clipboard picture 3 4", 3,
                  "got a plain picture of 4 x 3 pixels"},
                 {"no longer empty", "start\nclick prova.copia\nexpect clipboard empty", 3,
                  "got 1 picture(s) copied"},
                 {"nothing to see", "start\nexpect clipboard picture 4 3", 2, "got nothing copied"},
                 {"broken PNG", "start\nclick prova.copiarotta\nexpect clipboard picture 4 3", 3,
                  "an unreadable PNG"},
             });
}

TEST(ScriptRunner, TemporaryFolderAndCurrentFolder) {
    QTemporaryDir resources;
    ASSERT_TRUE(resources.isValid());
    ASSERT_TRUE(QDir(resources.path()).mkpath(QStringLiteral("musica")));
    {
        QFile tips(resources.path() + QStringLiteral("/tips.txt"));
        ASSERT_TRUE(tips.open(QIODevice::WriteOnly));
        tips.write("consiglio\r\n");
        QFile tune(resources.path() + QStringLiteral("/musica/a.mid"));
        ASSERT_TRUE(tune.open(QIODevice::WriteOnly));
        tune.write("MThd");
    }
    const QString before = QDir::currentPath();
    QString program;
    Wiring w;
    w.programFolder = &program;
    Options options;
    options.resources = resources.path();
    const Runner runner = makeRunner(w, options);
    const Outcome out = runner.run(QStringLiteral("t.zs"),
                                   "start\nexpect file \"{program}/tips.txt\" \"consiglio\\r\\n\"\n"
                                   "expect file \"program/musica/a.mid\" \"MThd\"\n");
    EXPECT_TRUE(out.passed) << out.failure.toStdString();
    EXPECT_EQ(QDir::currentPath(), before);
    ASSERT_FALSE(program.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(program)) << "the temporary folder was left behind";
    EXPECT_TRUE(out.keptDir.isEmpty());

    options.keep = true;
    const Outcome kept =
        makeRunner(w, options).run(QStringLiteral("t.zs"), "write \"a.txt\" \"k\"");
    EXPECT_TRUE(kept.passed) << kept.failure.toStdString();
    ASSERT_FALSE(kept.keptDir.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(kept.keptDir + QStringLiteral("/a.txt")));
    EXPECT_TRUE(QDir(kept.keptDir).removeRecursively());
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(ScriptRunner, PlatformSetUpReachesTheProgram) {
    // The window reads nothing of the platform, so a host that reports it stands in.
    struct Seen {
        int w = 0;
        int h = 0;
        QDate date;
        QString name;
        QString address;
        QString picture;
    } seen;
    struct ReportingHost : TestHost {
        ReportingHost(const tk::Application::Services& s, Recorders& r, Seen& seen)
            : TestHost(s, r, {}), platform(s.platform), seen(&seen) {}
        void startup() override {
            seen->w = platform->screenWidth();
            seen->h = platform->screenHeight();
            seen->date = platform->today();
            seen->name = platform->setting(QStringLiteral("ufficio/nome"));
            seen->address = platform->setting(QStringLiteral("ufficio/indirizzo"));
            seen->picture = platform->dataFolder() + QStringLiteral("/Programmi/schemaZelmor.jpg");
            TestHost::startup();
        }
        tk::Platform* platform;
        Seen* seen;
    };
    const Runner runner(
        [&seen](const tk::Application::Services& s, Recorders& r) {
            return std::make_unique<ReportingHost>(s, r, seen);
        },
        {});
    const Outcome out =
        runner.run(QStringLiteral("t.zs"),
                   "screen 12000 9000\ntoday 2023-12-24\nsetting officeName \"Studio è\"\n"
                   "setting officeAddress \"Via {dir}\"\nstart\n");
    ASSERT_TRUE(out.passed) << out.failure.toStdString();
    EXPECT_EQ(seen.w, 12000);
    EXPECT_EQ(seen.h, 9000);
    EXPECT_EQ(seen.date, QDate(2023, 12, 24));
    EXPECT_EQ(seen.name, QStringLiteral("Studio è"));
    EXPECT_TRUE(seen.address.startsWith(QStringLiteral("Via /"))) << seen.address.toStdString();
    EXPECT_TRUE(seen.picture.endsWith(QStringLiteral("/Programmi/schemaZelmor.jpg")));
    EXPECT_TRUE(seen.address.endsWith(seen.picture.section(QLatin1Char('/'), 0, -3)))
        << "{dir} and the picture's folder disagree";
}

TEST(ScriptRunner, Pictures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(3, 2, QColor(0, 128, 255));
    const QString bmp = dir.path() + QStringLiteral("/schema.jpg");  // a BMP whatever its name
    const QString png = dir.path() + QStringLiteral("/schema.png");
    const QString fake = dir.path() + QStringLiteral("/fake.bmp");
    ASSERT_TRUE(image.save(bmp, "BMP"));
    ASSERT_TRUE(image.save(png, "PNG"));
    {
        QFile f(fake);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM not really");
    }
    const auto line = [](const QString& path, const char* rest) {
        return QStringLiteral("expect picture \"%1\" %2")
            .arg(path, QString::fromLatin1(rest))
            .toUtf8();
    };
    const QByteArray scripts[] = {
        line(bmp, "size 4 3"),
        line(bmp, "pixel 0 0 255 0 0"),
        line(bmp, "pixel 3 2 0 128 255"),
        line(bmp, "pixel 1 1 255 255 255"),
        line(bmp, "size 3 4"),
        line(bmp, "pixel 0 0 0 0 0"),
        line(bmp, "pixel 4 0 0 0 0"),
        line(png, "size 4 3"),
        line(fake, "size 4 3"),
        line(dir.path() + QStringLiteral("/none.bmp"), "size 1 1"),
    };
    const char* expected[] = {
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        "got size 4 3",
        "got 255 0 0",
        "got a picture of 4 x 3 pixels",
        "not a BMP",
        "unreadable BMP",
        "no such file",
    };
    const Runner runner = makeRunner();
    for (std::size_t i = 0; i < std::size(scripts); ++i) {
        const Outcome out = runner.run(QStringLiteral("t.zs"), scripts[i]);
        if (expected[i] == nullptr) {
            EXPECT_TRUE(out.passed)
                << scripts[i].toStdString() << ": " << out.failure.toStdString();
        } else {
            EXPECT_FALSE(out.passed) << scripts[i].toStdString();
            EXPECT_TRUE(out.failure.contains(QString::fromLatin1(expected[i])))
                << scripts[i].toStdString() << ": " << out.failure.toStdString();
        }
    }
}

TEST(ScriptRunner, WordLog) {
    const char* block =
        "start\nclick prova.scrivi\nexpect word\n  start\n  type \"Zel\"\n  type \"mor\\r\"\n"
        "  add table 5 2\n  cell 1 2 \"\\x76alori\"\nend\nexpect no message\n";
    runCases(
        makeRunner(),
        {
            {"block", block, 0, ""},
            {"block consumes",
             "start\nclick prova.scrivi\nexpect word\nstart\ntype \"Zel\"\ntype \"mor\\r\"\n"
             "add table 5 2\ncell 1 2 \"valori\"\nend\nexpect word has \"start\"",
             10, "among 0 operations"},
            {"block line differs",
             "start\nclick prova.scrivi\nexpect word\nstart\ntype \"Zelmor\"\nend", 3,
             "expected word operation 2 to be 'type \"Zelmor\"' (line 5), got 'type \"Zel\"'"},
            {"block too short", "start\nclick prova.scrivi\nexpect word\nstart\nend", 3,
             "expected 1 word operations, got 4 more, the first 'type \"Zel\"'"},
            {"block too long", "start\nexpect word\nstart\nend", 2, "got no more operations"},
            {"typed",
             "start\nclick prova.scrivi\nexpect word typed \"Zelmor\\r\"\nexpect word has \"add "
             "table 5 2\"\n"
             "expect word has \"cell 1 2 \\\"valori\\\"\"",
             0, ""},
            {"typed differs", "start\nclick prova.scrivi\nexpect word typed \"Zelmor\"", 3,
             "expected word typed \"Zelmor\", got \"Zelmor\\r\""},
            {"has missing", "start\nclick prova.scrivi\nexpect word has \"add table 5 3\"", 3,
             "among 5 operations"},
            {"pages", "pages 7\nstart\nclick prova.pagine\nexpect prova.esito text \"7\"", 0, ""},
        });
    Options office;
    office.office = true;
    runCases(makeRunner({}, office), {
                                         {"skipped with the office back-end",
                                          "start\nexpect word\nnothing like this\nend\nexpect word "
                                          "typed \"x\"\nexpect word has \"y\"",
                                          0, ""},
                                     });
}

TEST(ScriptRunner, MusicLog) {
    runCases(makeRunner(),
             {
                 {"commands",
                  "start\nclick prova.suona\nexpect music \"open  play\"\nexpect music file "
                  "\"zelmor.mid\"\n"
                  "expect music file \"/x/musica/zelmor.mid\"",
                  0, ""},
                 {"nothing yet", "start\nexpect music \"\"", 0, ""},
                 {"commands differ", "start\nclick prova.suona\nexpect music \"open play close\"",
                  3, "expected music \"open play close\", got \"open play\""},
                 {"no file", "start\nexpect music file \"zelmor.mid\"", 2, "got no file opened"},
                 {"other file", "start\nclick prova.suona\nexpect music file \"altro.mid\"", 3,
                  "got \"/x/musica/zelmor.mid\""},
             });
}

TEST(ScriptRunner, DrawnPrimitives) {
    runCases(makeRunner(), {
                               {"no drawing window", "start\nexpect drawn segment 2", 2,
                                "unknown window disegno"},
                           });
    Wiring w;
    w.drawingWindow = true;
    runCases(
        makeRunner(w),
        {
            {"counts", "start\nexpect drawn segment 2\nexpect drawn box 1\nexpect drawn circle 1",
             0, ""},
            {"count differs", "start\nexpect drawn box 2", 2, "expected drawn box 2, got 1"},
            {"present", "start\nexpect drawn segment 5 6 7 8\nexpect drawn circle 50 60 70", 0, ""},
            {"absent", "start\nexpect drawn segment 1 2 3 5", 2,
             "expected drawn segment 1 2 3 5, got segment 1 2 3 4; segment 5 6 7 8"},
            {"kind matters", "start\nexpect drawn box 1 2 3 4", 2, "got box 0 0 10 10"},
        });
}

TEST(ScriptRunner, SyntaxErrorsRunNothing) {
    QString program;
    Wiring w;
    w.programFolder = &program;
    const Outcome out =
        makeRunner(w).run(QStringLiteral("t.zs"), "start\nwrite \"a\" \"b\"\nexpect nothing here");
    EXPECT_FALSE(out.passed);
    EXPECT_TRUE(out.failure.startsWith(QStringLiteral("t.zs:3: syntax error: ")))
        << out.failure.toStdString();
    EXPECT_TRUE(program.isEmpty()) << "the program was built for a file that does not parse";
}

}  // namespace
}  // namespace zelmor::script
