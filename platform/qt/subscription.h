#pragma once

#include <functional>

#include "platform/widgets.h"

namespace platform {

// A listener on a model object, removed when this goes away, unless the model went first.
class Subscription {
 public:
  Subscription(Observable& target, Observable::Listener listener)
      : target_(&target), token_(target.Subscribe(std::move(listener))) {}
  ~Subscription() {
    if (target_) target_->Unsubscribe(token_);
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;

  // The model object is being destroyed: there is nothing left to unsubscribe from.
  void Release() { target_ = nullptr; }

 private:
  Observable* target_;
  int token_;
};

}  // namespace platform
