#pragma once

#include <QColor>
#include <QFont>

#include <optional>

#include "platform/widgets.h"

class QWidget;

namespace platform {

// The colour a model colour stands for; nothing for Color::Default (the widget keeps its own).
std::optional<QColor> ToQColor(Color color);

// The model's font, with a sans font of the same pixel height where its family is missing.
QFont ToQFont(const Font& font);

// Applies a model font and its colour to a widget's text. A control that greys out when
// disabled keeps the grey; others keep their colour when disabled.
void ApplyFont(QWidget& widget, const Font& font, bool greyWhenDisabled);

// Fills the widget's background with a model colour (Default leaves it transparent).
void ApplyBackground(QWidget& widget, Color color);

}  // namespace platform
