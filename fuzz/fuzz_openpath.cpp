// Any bytes opened as a data file in the whole program without a display, as the user goes on
// from there: Open in the data-entry window, the drawing, "Save as", and Open of the saved file,
// then "Save" over it. Nothing may crash or trip a Qt check, no dialog may appear that the step
// does not expect, the links keep their invariants after every step, and a document with a
// complete model comes back from its own save as the same document, byte for byte on the next
// save.
#include "app/zelmorapp.h"
#include "entry/menuform.h"
#include "model/datafile.h"
#include "toolkit/testing/fakes.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace zelmor;

[[noreturn]] void fail(const char* step, const char* what) {
    std::fprintf(stderr, "fuzz_openpath: %s: %s\n", step, what);
    std::abort();
}

void check(bool ok, const char* step, const char* what) {
    if (!ok) fail(step, what);
}

// Qt reports a failed Q_ASSERT as a fatal message; a critical one is a fault here too.
void qtMessage(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text) {
    if (type == QtFatalMsg || type == QtCriticalMsg) {
        std::fprintf(stderr, "fuzz_openpath: Qt: %s\n", qPrintable(text));
        std::abort();
    }
}

// The process's one folder; every input writes the same names in it afresh.
QTemporaryDir* folder = nullptr;

QString place(const char* name) {
    return folder->filePath(QString::fromLatin1(name));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

std::optional<QByteArray> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

// The program as the scenarios build it: started, the splash clicked, the data-entry window on.
class Program {
  public:
    Program() {
        fakes.platform.date = QDate(2026, 12, 7);
        fakes.platform.folder = folder->path();
        fakes.platform.data = folder->path();
        run("start-up", [&] { z.startup(); });
        run("splash", [&] { z.app().form(QStringLiteral("frmSplash"))->click(); });
        check(menu() != nullptr, "splash", "the data-entry window did not open");
    }

    entry::MenuForm* menu() { return z.app().formAs<entry::MenuForm>(QStringLiteral("menu")); }
    const model::Document& document() { return z.shared().document(); }

    // One user action. A dialog without its answer means that the step met a question it
    // should not have asked.
    void run(const char* step, const std::function<void()>& action) {
        try {
            z.app().dispatch(action);
        } catch (const tk::testing::MissingAnswer& e) {
            fail(step, e.what());
        }
    }

    // A click on a control the user can reach; false when it cannot be reached.
    bool click(const char* step, const char* window, const char* name, int index = 0) {
        tk::Form* form = z.app().form(QString::fromLatin1(window));
        if (form == nullptr) return false;
        tk::Control& control = form->at(QString::fromLatin1(name), index);
        if (!control.reachable()) return false;
        run(step, [&] { control.click(); });
        return true;
    }

    // What each step needs answered, and nothing left over from the one before.
    void expect(std::vector<std::optional<QString>> files) {
        fakes.files.answers.assign(files.begin(), files.end());
        fakes.messages.answers.clear();
        fakes.messages.shown.clear();
    }
    void answered(const char* step) const {
        check(fakes.files.answers.empty(), step, "a file dialog that was expected did not appear");
    }

    tk::testing::FakeServices fakes;
    app::ZelmorApp z{{&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}};
};

// For subsystems 1..count the links name only other subsystems that exist, each once, and the
// window shows them as they are; the rows above the count are blank.
void checkLinks(Program& p, const char* step) {
    const model::ModelData& m = p.document().model;
    const int n = m.count();
    for (int i = 1; i <= model::kMaxSubsystems; ++i) {
        const model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        if (i > n) {
            check(s == model::Subsystem{}, step, "a row above the count is not blank");
        } else {
            std::vector<int> seen;
            for (int d : model::linkedNumbers(s.links)) {
                check(d <= n, step, "a link names a subsystem above the count");
                check(d != i, step, "a subsystem is linked to itself");
                check(std::find(seen.begin(), seen.end(), d) == seen.end(), step,
                      "a link names a subsystem twice");
                seen.push_back(d);
            }
        }
        check(p.menu()->at(QStringLiteral("Label3"), i).text() == s.links, step,
              "the window shows other links than the model holds");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    qInstallMessageHandler(qtMessage);
    static QTemporaryDir dir;
    if (!dir.isValid()) fail("set-up", "cannot create a temporary folder");
    folder = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString input = place("Zelmor-dati-letto");
    const QString saved = place("Zelmor-dati-salvato");
    const QString picture = place("Programmi/schemaZelmor.jpg");
    QFile::remove(saved);
    QFile::remove(picture);
    check(writeFile(input, bytes), "set-up", "cannot write the input file");

    auto p = std::make_unique<Program>();
    entry::MenuForm& menu = *p->menu();
    checkLinks(*p, "start");

    // Open through the menu and its dialog.
    p->expect({input});
    check(p->click("open", "menu", "apri"), "open", "Apri... cannot be reached");
    p->answered("open");
    checkLinks(*p, "open");
    const model::DataFileContent content = model::readDataFile(bytes);
    const bool whole = p->document().fileName == input;
    check(whole == (content.headerRead && content.complete()), "open",
          "the current file does not follow whether the file was read whole");
    check(!menu.complete() || p->document().model.isComplete(), "open",
          "the final step without a complete model");
    // A finished model (a file read whole gives one when it holds every field) must come back
    // from its own save unchanged, whatever else the file held.
    const bool sound = menu.complete();
    const model::Document opened = p->document();

    // The drawing only reads the model; a complete one is drawn and saved as the picture.
    p->expect({});
    if (p->click("drawing", "menu", "disegn")) {
        checkLinks(*p, "drawing");
        check(p->document() == opened, "drawing", "the drawing changed the document");
        if (sound) {
            check(p->fakes.messages.shown.empty(), "drawing", "a complete model was refused");
            check(QFile::exists(picture), "drawing", "a complete model left no picture");
        }
    }

    // "Save as", with a project on the title page: the file's own, or one typed.
    if (p->document().model.subsystemCount.isEmpty()) return 0;
    if (p->document().title.project.isEmpty()) {
        p->expect({});
        check(p->click("title page", "menu", "fin3"), "title page", "Finestra Frontespizio");
        tk::Form* title = p->z.app().form(QStringLiteral("frontespizio"));
        check(title != nullptr, "title page", "the title-page window did not open");
        tk::Control& project = title->at(QStringLiteral("progetto"));
        check(project.reachable(), "title page", "the project cannot be typed");
        p->run("title page", [&] { project.setText(QStringLiteral("Progetto")); });
        checkLinks(*p, "title page");
    }
    const model::Document beforeSave = p->document();
    p->expect({saved});
    check(p->click("save", "menu", "salvanome"), "save", "Salva con nome... cannot be reached");
    p->answered("save");
    checkLinks(*p, "save");
    check(p->document().model == beforeSave.model && p->document().title == beforeSave.title,
          "save", "saving changed the document");
    const std::optional<QByteArray> written = readFile(saved);
    check(written.has_value() == p->fakes.messages.shown.empty(), "save",
          "a save that failed was not told, or one told as failed wrote the file");
    if (!written) return 0;
    if (sound) {
        const model::DataFileContent back = model::readDataFile(*written);
        check(back.complete(), "save", "the saved file does not read back whole");
        check(back.model == beforeSave.model, "save", "the saved file holds another model");
        check(back.title == beforeSave.title, "save", "the saved file holds another title page");
    }

    // Open the saved file.
    p->expect({saved});
    check(p->click("reopen", "menu", "apri"), "reopen", "Apri... cannot be reached");
    p->answered("reopen");
    checkLinks(*p, "reopen");
    if (!sound) return 0;
    check(p->document().fileName == saved, "reopen", "the saved file was not read whole");
    check(menu.complete(), "reopen", "the saved model is not complete");
    check(p->document().model == beforeSave.model, "reopen", "another model came back");
    check(p->document().title == beforeSave.title, "reopen", "another title page came back");

    // "Save" writes the opened file again without asking, with the same bytes.
    p->expect({});
    check(p->click("save again", "menu", "salva"), "save again", "Salva cannot be reached");
    check(p->fakes.messages.shown.empty(), "save again", "saving the opened file failed");
    check(readFile(saved) == written, "save again", "the same document saved other bytes");
    checkLinks(*p, "save again");
    return 0;
}
