#include "screen/draw_log.h"

#include <algorithm>
#include <memory>

#include "screen/raster.h"

namespace sekiba {

namespace {

bool covers_all(const Surface& s, const IRect& r) {
  return r.contains(IRect{0, 0, s.lw(), s.lh()});
}

// Replaces an operation by the picture it left behind (what its target holds
// there now), so that it no longer depends on the surface it read.
void freeze(DrawLog::Op& e) {
  Surface& t = *e.target;
  const int x0 = t.dev(e.rect.x), y0 = t.dev(e.rect.y);
  auto pic = std::make_shared<Surface>(std::max(0, t.dev(e.rect.x + e.rect.w) - x0),
                                       std::max(0, t.dev(e.rect.y + e.rect.h) - y0));
  pic->k = t.k;
  blit_device(*pic, 0, 0, t, x0, y0, pic->w, pic->h, Rop::Copy);
  Surface* target = e.target;
  const IRect r = e.rect;
  e.source = nullptr;
  e.opaque = true;
  e.run = [target, r, pic] {
    if (pic->empty()) return;
    const int x0 = target->dev(r.x), y0 = target->dev(r.y);
    Surface scaled = resample(*pic, target->dev(r.x + r.w) - x0, target->dev(r.y + r.h) - y0);
    blit_device(*target, x0, y0, scaled, 0, 0, scaled.w, scaled.h, Rop::Copy);
  };
}

// What of r lies on the surface: drawing beyond its edge changes nothing, and a
// rectangle that reached past it could never be covered by a later one.
IRect on_surface(const IRect& r, const Surface& s) {
  const int x0 = std::clamp(r.x, 0, s.lw()), y0 = std::clamp(r.y, 0, s.lh());
  const int x1 = std::clamp(r.x + r.w, x0, s.lw()), y1 = std::clamp(r.y + r.h, y0, s.lh());
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

void DrawLog::record(Op op) {
  if (replaying_) return;
  if (op.target) op.rect = on_surface(op.rect, *op.target);
  if (op.opaque && op.target) {
    // Forget what this operation paints over, back to the first operation that
    // copied from the area to somewhere else. When the whole surface is painted
    // over, such copies are kept as the pictures they made instead.
    const bool all = covers_all(*op.target, op.rect);
    std::size_t i = ops_.size();
    while (i > 0) {
      Op& e = ops_[i - 1];
      if (e.target == op.target && op.rect.contains(e.rect)) {
        e.run = nullptr;  // dropped
      } else if (e.source == op.target && op.rect.intersects(e.from)) {
        if (!all || e.target == op.target) break;
        freeze(e);
      }
      --i;
    }
    if (i < ops_.size()) {
      std::size_t out = i;
      for (std::size_t j = i; j < ops_.size(); ++j)
        if (ops_[j].run) {
          if (out != j) ops_[out] = std::move(ops_[j]);
          ++out;
        }
      ops_.resize(out);
    }
  }
  ops_.push_back(std::move(op));
}

void DrawLog::replay() {
  replaying_ = true;
  for (Op& op : ops_)
    if (op.run) op.run();
  replaying_ = false;
}

}  // namespace sekiba
