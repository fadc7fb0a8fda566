#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>

namespace platform {

// A horizontal progress gauge: a bar of the fore colour over the back colour in a sunken frame,
// with the percentage in the middle.
class GaugeWidget final : public QWidget {
 public:
  using QWidget::QWidget;
  void SetState(std::int64_t minValue, std::int64_t maxValue, std::int64_t progress);
  void SetColors(const QColor& back, const QColor& fore);
  int Percent() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::int64_t minValue_ = 0;
  std::int64_t maxValue_ = 100;
  std::int64_t progress_ = 0;
  QColor back_;
  QColor fore_;
};

}  // namespace platform
