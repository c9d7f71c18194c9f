// A virtual X server without a window manager that keeps its screen in a
// file, so a test sees exactly what a player would see, and a way to tell two
// pictures of a screen apart.
#pragma once
#include "tests/harness/harness.h"
#include "tests/install/installtree.h"

#include <memory>
#include <string>

namespace install {

class VirtualDisplay {
  public:
    VirtualDisplay(const std::string& xvfb, int width, int height);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    const std::string& name() const { return name_; } // "" when the server did not start
    std::string log() const { return server_ ? server_->output() : ""; }
    // The screen now, as RGBA rows; empty when it cannot be read.
    harness::Frame screen() const;

  private:
    int width_, height_;
    TempFolder screenDir_;
    std::unique_ptr<Child> server_;
    std::string name_;
};

// Share of the 16 x 16 blocks of two frames whose mean colours differ by more
// than 24 in some channel (1 when the sizes differ). Small moving details
// (glows, the pointer) change few blocks; another screen changes most.
double differentBlocks(const harness::Frame& a, const harness::Frame& b);

} // namespace install
