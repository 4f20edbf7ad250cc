#pragma once

#include <QFont>
#include <QRect>

namespace lumivane {

// Dialog layouts are written in dialog units: a quarter of the font's average
// character width across, an eighth of its height down. Laid out this way the
// controls grow with the font together with the texts they have to hold.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  QRect ToPixels(int x, int y, int width, int height) const;
  int XToPixels(int x) const;
  int YToPixels(int y) const;

  int baseWidth() const { return baseWidth_; }
  int baseHeight() const { return baseHeight_; }

 private:
  int baseWidth_;
  int baseHeight_;
};

}  // namespace lumivane
