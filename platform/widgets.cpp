#include "platform/widgets.h"

#include <algorithm>
#include <stdexcept>

#include "platform/application.h"

namespace platform {

int Observable::Subscribe(Listener listener) {
  const int token = nextToken_++;
  listeners_.emplace(token, std::move(listener));
  return token;
}

void Observable::Unsubscribe(int token) {
  listeners_.erase(token);
}

void Observable::Changed() {
  // A listener may subscribe or unsubscribe listeners, itself included, while it runs.
  std::vector<int> tokens;
  tokens.reserve(listeners_.size());
  for (const auto& entry : listeners_)
    tokens.push_back(entry.first);
  for (const int token : tokens) {
    const auto it = listeners_.find(token);
    if (it == listeners_.end()) continue;
    const Listener listener = it->second;
    listener();
  }
}

Control::Control(Control* parent, std::string name) : parent_(parent), name_(std::move(name)) {
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
  if (parent_) std::erase(parent_->children_, this);
  for (Control* child : children_)
    child->parent_ = nullptr;
}

Form* Control::OwningForm() {
  for (Control* control = this; control; control = control->parent_) {
    if (auto* form = dynamic_cast<Form*>(control)) return form;
  }
  return nullptr;
}

bool Control::AcceptsInput() {
  for (const Control* control = this; control; control = control->parent_) {
    if (!control->visible_ || !control->enabled_) return false;
  }
  // While a modal box is up, the other windows take no input.
  const Form* form = OwningForm();
  if (!form) return true;
  const Form* modal = form->App().ModalForm();
  return !modal || modal == form;
}

void Panel::SetBevels(Bevel inner, Bevel outer) {
  if (inner == bevelInner_ && outer == bevelOuter_) return;
  bevelInner_ = inner;
  bevelOuter_ = outer;
  Changed();
}

void Button::Click() {
  if (!AcceptsInput()) return;
  // The result goes to the form before the handler runs, so that a handler which ends the
  // form's life does not leave us writing into it afterwards.
  if (modalResult_ != mrNone) {
    if (Form* form = OwningForm()) form->SetModalResult(modalResult_);
  }
  if (OnClick) OnClick();
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
  if (OnClick) OnClick();
}

void CheckBox::Click() {
  if (AcceptsInput()) SetChecked(!checked_);
}

void Memo::Add(const std::string& line) {
  lines_.push_back(line);
  Changed();
}

void Memo::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}

void Gauge::SetMaxValue(std::int64_t value) {
  const std::int64_t maxValue = std::max(value, minValue_);
  const std::int64_t progress = std::clamp(progress_, minValue_, maxValue);
  if (maxValue == maxValue_ && progress == progress_) return;
  maxValue_ = maxValue;
  progress_ = progress;
  Changed();
}

void Gauge::SetProgress(std::int64_t value) {
  Assign(progress_, std::clamp(value, minValue_, maxValue_));
}

void Image::SetPicture(int width, int height, std::vector<std::uint32_t> argb) {
  if (width < 0 || height < 0 ||
      argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("Image::SetPicture: pixel count does not match the size");
  }
  pixelWidth_ = width;
  pixelHeight_ = height;
  pixels_ = std::move(argb);
  Changed();
}

void MenuItem::Click() {
  if (enabled_ && OnClick) OnClick();
}

}  // namespace platform
