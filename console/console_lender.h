// Lending the console to a child process: the service through which the chooser
// runs the converter with the console handed over, and that service on a device.
#pragma once

#include <functional>

#include "device/console_device.h"

namespace zul {

class ConsoleLender {
 public:
  virtual ~ConsoleLender() = default;
  // Hands the console to a child process, calls `run` (which starts the child and
  // waits for it) and takes the console back, however `run` ends.
  virtual void RunHandedToChild(const std::function<void()>& run) = 0;
};

// Lends a console device's console (HandedToChild).
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
