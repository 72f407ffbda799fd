// The whole program on its real Qt windows, driven by the tests instead of a user.
#pragma once

#include "support/programtest.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor::qttest {

class QtProgramTest : public testsupport::ProgramTest {
  protected:
    using ProgramTest::ProgramTest;

    // Every window the program shows comes up on Qt; the end of the program ends nothing but
    // the test's program, and is noted in `ended`.
    void beforeStart() override {
        program.app().setObserver(&backend);
        backend.setEndAction([this] { ended = true; });
    }
    void TearDown() override { program.app().setObserver(nullptr); }

    qtui::QtBackend backend{program.app()};
    bool ended = false;
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
