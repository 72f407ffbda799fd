// The fixtures the test programs derive from, each one level above the other:
//
//   FolderTest    a temporary folder of the test's own, gone after it, with its files' helpers
//   ServicesTest  and fakes of the platform's services: message boxes, file and colour dialogs
//                 answered from queues, a platform with its screen, date, folders, settings,
//                 and a clipboard that keeps the last picture copied
//   RuntimeTest   and a window registry (tk::Application) on them, for tests of a few windows
//   ProgramTest   (support/programtest.h) or the whole program on them, started up
//   QtProgramTest (qt/qtprogram.h) and its real Qt windows
//
// A new test file derives its fixture from the lowest one that has what it needs, sets the
// platform up in its constructor (or beforeStart() of ProgramTest), and adds only its own helpers.
#pragma once

#include "toolkit/application.h"
#include "toolkit/testing/fakes.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor::testsupport {

class FolderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()) << dir.errorString().toStdString(); }

    // The folder's file `name`.
    QString path(const QString& name) const { return dir.filePath(name); }
    // Writes the folder's file `name` and returns its path; the test fails when it cannot.
    QString write(const QString& name, const QByteArray& bytes) const {
        QString file = path(name);
        EXPECT_TRUE(writeFile(file, bytes)) << file.toStdString();
        return file;
    }
    // Writes the whole file; false when it could not be written whole.
    static bool writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               f.write(bytes) == bytes.size() && f.flush();
    }
    // The whole file; nothing when it cannot be read.
    static QByteArray read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

class ServicesTest : public FolderTest {
  protected:
    // The fakes, wired as an Application takes them.
    tk::Application::Services services() {
        return {&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform, &fakes.clipboard};
    }

    tk::testing::FakeServices fakes;
};

class RuntimeTest : public ServicesTest {
  protected:
    // One user action, and everything it sets off.
    void run(const std::function<void()>& f) { app.dispatch(f); }
    // A user's click; the test fails when the user could not reach the control.
    void click(tk::Form& form, const char* name, int index = 0) {
        tk::Control& c = form.at(QString::fromUtf8(name), index);
        ASSERT_TRUE(c.reachable()) << name << "(" << index << ") not reachable";
        run([&] { c.click(); });
    }

    tk::Application app{services()};
};

}  // namespace zelmor::testsupport
