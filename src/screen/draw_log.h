#pragma once
// The record of what was drawn on the table's own surfaces (the window, the clean
// background and the work area), in logical coordinates, so that the whole table
// can be drawn again at another scale when the window changes size. Drawing that
// is entirely covered by a later opaque drawing is forgotten, so the record stays
// about as long as one screen's worth of drawing.
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/surface.h"

namespace sekiba {

struct IRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(const IRect& o) const {
    return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h;
  }
  bool intersects(const IRect& o) const {
    return o.x < x + w && x < o.x + o.w && o.y < y + h && y < o.y + o.h;
  }
};

class DrawLog {
 public:
  struct Op {
    Surface* target = nullptr;
    IRect rect;                      // what it may change on target
    bool opaque = false;             // the result does not depend on what was there
    const Surface* source = nullptr; // another logged surface it reads, if any
    IRect from;                      // where on source
    std::function<void()> run;
  };

  // Writes an operation down before it is carried out.
  void record(Op op);
  bool replaying() const { return replaying_; }
  // Carries out everything written down again, in order, on surfaces that have
  // just been made anew (at another scale).
  void replay();
  void clear() { ops_.clear(); }
  std::size_t size() const { return ops_.size(); }

 private:
  std::vector<Op> ops_;
  bool replaying_ = false;
};

}  // namespace sekiba
