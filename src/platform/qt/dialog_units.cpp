#include "platform/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace lumivane {
namespace {

// The average width of the 52 Latin letters, rounded half up, as dialog
// templates measure it.
int AverageLetterWidth(const QFontMetrics& metrics) {
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return (letters / 26 + 1) / 2;
}

// value * numerator / denominator, rounded to the nearest whole pixel.
int Scale(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  baseWidth_ = AverageLetterWidth(metrics);
  baseHeight_ = metrics.height();
}

int DialogUnits::XToPixels(int x) const { return Scale(x, baseWidth_, 4); }

int DialogUnits::YToPixels(int y) const { return Scale(y, baseHeight_, 8); }

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
  return QRect(XToPixels(x), YToPixels(y), XToPixels(width), YToPixels(height));
}

}  // namespace lumivane
