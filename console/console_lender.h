// Lending the console to a child process: the service the chooser runs the
// converter through, so that the converter has the console while it runs and the
// chooser has it back afterwards, and its implementation on a console device.
#pragma once

#include <functional>

#include "device/console_device.h"

namespace zul {

class ConsoleLender {
 public:
  virtual ~ConsoleLender() = default;
  // Hands the console over to a child process, calls `run` (which starts the
  // child and waits for it) and takes the console back, however `run` ends.
  virtual void RunHandedToChild(const std::function<void()>& run) = 0;
};

// Lends the console of a console device (HandedToChild).
class DeviceConsoleLender : public ConsoleLender {
 public:
  explicit DeviceConsoleLender(ConsoleDevice& device) : device_(device) {}
  void RunHandedToChild(const std::function<void()>& run) override {
    const HandedToChild handed(device_);
    run();
  }

 private:
  ConsoleDevice& device_;
};

}  // namespace zul
