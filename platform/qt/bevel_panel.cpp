#include "platform/qt/bevel_panel.h"

#include <qdrawutil.h>
#include <QPainter>

namespace platform {
namespace {

// Draws one bevel on rect and returns the rect inside it.
QRect DrawBevel(QPainter& painter, const QRect& rect, Bevel bevel, const QPalette& palette) {
  if (bevel == Bevel::None) return rect;
  qDrawShadeRect(&painter, rect, palette, bevel == Bevel::Lowered, 1);
  return rect.adjusted(1, 1, -1, -1);
}

}  // namespace

void BevelPanel::SetBevels(Bevel inner, Bevel outer) {
  inner_ = inner;
  outer_ = outer;
  update();
}

void BevelPanel::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void BevelPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect insideOuter = DrawBevel(painter, rect(), outer_, palette());
  DrawBevel(painter, insideOuter, inner_, palette());
  if (caption_.isEmpty()) return;
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), Qt::AlignCenter, caption_);
}

}  // namespace platform
