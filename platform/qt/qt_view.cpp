#include "platform/qt/qt_view.h"

namespace platform {

QtView::QtView(Application& app, QtEventLoop& loop) : app_(app), loop_(loop) {
  watchToken_ = app_.WatchForms({.created = [this](Form& form) { Watch(form); },
                                 .destroyed = [this](Form& form) { Forget(form); }});
  for (Form* form : app_.Forms()) {
    Watch(*form);
    OnFormChanged(*form);
  }
}

QtView::~QtView() {
  app_.UnwatchForms(watchToken_);
}

FormWindow* QtView::WindowOf(const Form& form) const {
  const auto it = entries_.find(&form);
  return it == entries_.end() ? nullptr : it->second.window.get();
}

void QtView::Watch(Form& form) {
  entries_[&form].subscription =
      std::make_unique<Subscription>(form, [this, &form] { OnFormChanged(form); });
}

void QtView::Forget(Form& form) {
  const auto it = entries_.find(&form);
  if (it == entries_.end()) return;
  // By now the form's own controls are gone; only the Form part is left.
  it->second.subscription->Release();
  if (it->second.window) it->second.window->ModelGone();
  entries_.erase(it);
}

void QtView::OnFormChanged(Form& form) {
  Entry& entry = entries_.at(&form);
  if (entry.window || !form.Showing()) return;
  FormWindow* ownerWindow = form.Owner() ? WindowOf(*form.Owner()) : nullptr;
  entry.window = std::make_unique<FormWindow>(form, loop_, ownerWindow);
}

}  // namespace platform
