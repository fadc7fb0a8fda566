#include "platform/qt/qt_style.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace platform {

std::optional<QColor> ToQColor(Color color) {
  switch (color) {
    case Color::Default:
      return std::nullopt;
    case Color::Black:
      return QColor(0x00, 0x00, 0x00);
    case Color::Navy:
      return QColor(0x00, 0x00, 0x80);
    case Color::Maroon:
      return QColor(0x80, 0x00, 0x00);
    case Color::Purple:
      return QColor(0x80, 0x00, 0x80);
    case Color::Blue:
      return QColor(0x00, 0x00, 0xFF);
    case Color::Red:
      return QColor(0xFF, 0x00, 0x00);
    case Color::Aqua:
      return QColor(0x00, 0xFF, 0xFF);
    case Color::ButtonFace:
      return QGuiApplication::palette().color(QPalette::Button);
    case Color::Window:
      return QGuiApplication::palette().color(QPalette::Base);
  }
  return std::nullopt;
}

QFont ToQFont(const Font& font) {
  QFont result;
  result.setStyleHint(QFont::SansSerif);
  const QString family = QString::fromStdString(font.name);
  // Where the family is missing, the sans font the system matches for it, by its real name.
  result.setFamily(QFontDatabase::hasFamily(family) ? family : QFontInfo(result).family());
  result.setPixelSize(font.pixelHeight);
  result.setBold(font.bold);
  result.setItalic(font.italic);
  return result;
}

void ApplyFont(QWidget& widget, const Font& font, bool greyWhenDisabled) {
  widget.setFont(ToQFont(font));
  const std::optional<QColor> color = ToQColor(font.color);
  if (!color) return;
  QPalette palette = widget.palette();
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    if (group == QPalette::Disabled && greyWhenDisabled) continue;
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(group, role, *color);
    }
  }
  widget.setPalette(palette);
}

void ApplyBackground(QWidget& widget, Color color) {
  const std::optional<QColor> background = ToQColor(color);
  widget.setAutoFillBackground(background.has_value());
  if (!background) return;
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, *background);
  palette.setColor(QPalette::Base, *background);
  widget.setPalette(palette);
}

}  // namespace platform
