// Helpers of the layer's own tests: reading the queue without a driver.
#pragma once

#include "ui/ui.h"

#include <string>
#include <vector>

struct Ev {
  int kind, window, object, type;
  bool operator==(const Ev&) const = default;
};
std::string toString(const std::vector<Ev>& events);

// Lets Qt deliver what is posted, then takes every queued event.
std::vector<Ev> drainEvents();
// Only the gadget event types of `gadget`, in order.
std::vector<int> gadgetTypes(const std::vector<Ev>& events, int gadget);
// Lets Qt run for `ms` milliseconds without taking events from the queue.
void runQt(int ms);
