#include "platform/qt/gauge_widget.h"

#include <qdrawutil.h>
#include <QPainter>

namespace platform {

void GaugeWidget::SetState(std::int64_t minValue, std::int64_t maxValue, std::int64_t progress) {
  minValue_ = minValue;
  maxValue_ = maxValue;
  progress_ = progress;
  update();
}

void GaugeWidget::SetColors(const QColor& back, const QColor& fore) {
  back_ = back;
  fore_ = fore;
  update();
}

int GaugeWidget::Percent() const {
  const std::int64_t range = maxValue_ - minValue_;
  if (range <= 0) return 0;
  return static_cast<int>((progress_ - minValue_) * 100 / range);
}

void GaugeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawShadePanel(&painter, rect(), palette(), true, 1);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(inside, back_);
  const std::int64_t range = maxValue_ - minValue_;
  if (range > 0) {
    const int barWidth = static_cast<int>(inside.width() * (progress_ - minValue_) / range);
    painter.fillRect(QRect(inside.topLeft(), QSize(barWidth, inside.height())), fore_);
  }
  painter.setPen(Qt::black);
  painter.drawText(inside, Qt::AlignCenter, QString::number(Percent()) + QLatin1Char('%'));
}

}  // namespace platform
