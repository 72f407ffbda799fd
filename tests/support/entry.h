// Test helper: a complete one-subsystem model entered in the data-entry window through its
// controls, as the user enters it (each change in a user action of its own).
#pragma once

#include "toolkit/application.h"

#include <QString>

#include <functional>

namespace zelmor::testsupport {

inline void enterOneSubsystem(tk::Application& app) {
    tk::Form& m = *app.form(QStringLiteral("menu"));
    auto run = [&](const std::function<void()>& f) { app.dispatch(f); };
    run([&] { m.at(QStringLiteral("endemica"), 1).click(); });
    run([&] { m.at(QStringLiteral("Option1"), 1).click(); });
    run([&] { m.at(QStringLiteral("valore")).setText(QStringLiteral("forte")); });
    run([&] { m.at(QStringLiteral("VScroll1")).setValue(2); });  // the bar starts at 1
    run([&] { m.at(QStringLiteral("VScroll1")).setValue(1); });
    run([&] { m.at(QStringLiteral("Check1"), 1).click(); });
    run([&] { m.at(QStringLiteral("Option3"), 1).click(); });
    run([&] { m.at(QStringLiteral("Combo1"), 1).setText(QStringLiteral("medio")); });
    run([&] { m.at(QStringLiteral("dopo")).click(); });
}

}  // namespace zelmor::testsupport
