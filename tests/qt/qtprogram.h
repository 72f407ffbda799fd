// The whole program on its real Qt windows, driven by the tests instead of a user.
#pragma once

#include "app/zelmorapp.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/testing/fakes.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor::qttest {

class QtProgramTest : public ::testing::Test {
  protected:
    tk::testing::FakeServices fakes;
    app::ZelmorApp program{{&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}};
    qtui::QtBackend backend{program.app()};

    // Started, and the splash clicked: the data-entry window is up.
    void SetUp() override {
        program.app().setObserver(&backend);
        backend.setEndAction([] {});
        run([&] { program.startup(); });
        run([&] { form("frmSplash").click(); });
    }
    void TearDown() override { program.app().setObserver(nullptr); }
    void run(const std::function<void()>& f) { program.app().dispatch(f); }
    tk::Form& form(const char* name) { return *program.app().form(QString::fromLatin1(name)); }
};

// Runs `answer` on the modal dialog of this kind as soon as it is up; a dialog of another kind is
// dismissed, so that a failing test never waits for a user.
template <class Dialog>
void whenShown(std::function<void(Dialog*)> answer) {
    QTimer::singleShot(0, qApp, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            answer(dialog);
            return;
        }
        ADD_FAILURE() << "no dialog of the expected kind";
        if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
    });
}

}  // namespace zelmor::qttest
