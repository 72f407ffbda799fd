// What the small windows around the program share: their look.
#pragma once

#include "toolkit/form.h"

#include <QString>

#include <optional>

namespace zelmor::periphery {

inline const tk::Font kPlainFont{QString(), 8.25, false, false};
inline const tk::Font kBoldFont{QString(), 8.25, true, false};
inline const tk::Font kTitleFont{QString(), 12, true, false};
inline constexpr tk::Color kNavy{0, 0, 128};

tk::Control& addLabel(tk::Form& form, const QString& name, int index, tk::Control* container,
                      const tk::Rect& r, const QString& text,
                      std::optional<tk::Color> back = std::nullopt,
                      const tk::Font& font = kPlainFont);

tk::Control& addButton(tk::Form& form, const QString& name, const tk::Rect& r,
                       const QString& caption, const QString& toolTip);

}  // namespace zelmor::periphery
