#pragma once

#include <QString>
#include <QWidget>

#include "platform/widgets.h"

namespace platform {

// A panel as the model has it: up to two one-pixel bevels and an optional centred caption.
class BevelPanel final : public QWidget {
 public:
  using QWidget::QWidget;
  void SetBevels(Bevel inner, Bevel outer);
  void SetCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Bevel inner_ = Bevel::None;
  Bevel outer_ = Bevel::Raised;
  QString caption_;
};

}  // namespace platform
