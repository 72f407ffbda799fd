// Test helper: the whole program without a display, driven through its controls as the user
// drives it, with what the document-level property tests compare and check.
#pragma once

#include "app/zelmorapp.h"
#include "entry/menuform.h"
#include "model/model.h"
#include "toolkit/testing/fakes.h"

#include <QDate>
#include <QString>

#include <functional>
#include <ostream>
#include <vector>

namespace zelmor::testsupport {

class Program {
  public:
    explicit Program(const QString& folder) {
        fakes.platform.date = QDate(2026, 12, 7);
        fakes.platform.folder = folder;
        fakes.platform.data = folder;
        run([&] { z.startup(); });
        run([&] { z.app().form(QStringLiteral("frmSplash"))->click(); });
    }

    void run(const std::function<void()>& f) { z.app().dispatch(f); }
    tk::Form* form(const char* name) const { return z.app().form(QString::fromLatin1(name)); }
    entry::MenuForm& menu() const {
        return *z.app().formAs<entry::MenuForm>(QStringLiteral("menu"));
    }
    tk::Control& c(const char* window, const char* name, int index = 0) const {
        return form(window)->at(QString::fromUtf8(name), index);
    }
    const model::Document& document() const { return z.shared().document(); }

    // User actions; false when the control cannot be reached.
    bool reachable(const char* window, const char* name, int index) const {
        return form(window) != nullptr && c(window, name, index).reachable();
    }
    bool click(const char* window, const char* name, int index = 0) {
        if (!reachable(window, name, index)) return false;
        tk::Control& ctl = c(window, name, index);
        run([&] { ctl.click(); });
        return true;
    }
    // An item of the list is chosen, anything else typed in at once.
    bool choose(const char* window, const char* name, int index, const QString& item) {
        if (!reachable(window, name, index)) return false;
        tk::Control& ctl = c(window, name, index);
        if (ctl.items().contains(item)) {
            run([&] { ctl.choose(item); });
        } else {
            run([&] { ctl.setText(item); });
        }
        return true;
    }
    bool set(const char* window, const char* name, int index, const QString& text) {
        if (!reachable(window, name, index)) return false;
        tk::Control& ctl = c(window, name, index);
        run([&] { ctl.setText(text); });
        return true;
    }
    bool scroll(int value) {
        if (!reachable("menu", "VScroll1", 0)) return false;
        tk::Control& bar = c("menu", "VScroll1");
        run([&] { bar.setValue(value); });
        return true;
    }
    void open(const QString& path) {
        fakes.files.answers.push_back(path);
        click("menu", "apri");
        fakes.files.answers.clear();
    }

    // Enters a model by hand: kind, typology, value, count, each row, each row's links.
    void enter(const model::ModelData& m) {
        const int kind = model::numberOf(m.endemicKind.value_or(model::EndemicKind::Superficiale));
        click("menu", "endemica", kind);
        click("menu", kind == 2 ? "Option2" : "Option1", m.endemicTypology.value_or(1));
        choose("menu", "valore", 0, m.endemicValue);
        const int n = m.count();
        if (c("menu", "VScroll1").value() == n) scroll(n == 9 ? 8 : n + 1);
        scroll(n);
        for (int i = 1; i <= n; ++i) {
            const model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
            if (c("menu", "Check1", i).value() == 0) click("menu", "Check1", i);
            click("menu", "Option3", s.typology.value_or(1));
            choose("menu", "Combo1", i, s.value);
        }
        for (int i = 1; i <= n; ++i) {
            for (int d : model::linkedNumbers(m.subsystems[static_cast<std::size_t>(i - 1)].links))
                click("menu", "legami", d);
            click("menu", "dopo");
        }
    }

    tk::testing::FakeServices fakes;
    mutable app::ZelmorApp z{{&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}};
};

// What a window shows, control by control.
struct ControlState {
    QString control;
    QString text;
    int value = 0;
    bool enabled = false;
    bool visible = false;
    bool operator==(const ControlState&) const = default;
};

inline void PrintTo(const ControlState& s, std::ostream* os) {
    *os << s.control.toStdString() << " \"" << s.text.toStdString() << "\" value " << s.value
        << (s.enabled ? " enabled" : " disabled") << (s.visible ? " visible" : " hidden");
}

inline std::vector<ControlState> controlStates(const Program& p) {
    std::vector<ControlState> out;
    for (const char* window : {"menu", "frontespizio"}) {
        const tk::Form* f = p.form(window);
        if (f == nullptr) continue;
        for (const auto& ctl : f->controls()) {
            out.push_back({QString::fromLatin1(window) + QLatin1Char('.') + ctl->displayName(),
                           ctl->text(), ctl->value(), ctl->enabled(), ctl->visible()});
        }
    }
    return out;
}

}  // namespace zelmor::testsupport
