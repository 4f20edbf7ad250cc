#include "app/world_window.h"

#include <functional>
#include <new>
#include <utility>

#include "app/load_settings.h"
#include "app/pin_times.h"
#include "app/pointer_tooltip.h"
#include "render/device_pixels.h"
#include "settings/save_placement.h"
#include "setup/setup_ids.h"

namespace lumivane {

namespace {

// How long a hover over the tray icon keeps the window raised.
constexpr std::int32_t kPeekPeriodMs = 3000;
// How long the pointer rests on the map before the tooltip reads it.
constexpr std::int32_t kTooltipDelayMs = 500;

// The window the frames go to, with the pinned places' local times added to
// what the frame is said to show.
class FrameWindowWithPinTimes final : public FrameWindow {
 public:
  FrameWindowWithPinTimes(FrameWindow& window, std::function<std::string()> pinTimes)
      : window_(window), pinTimes_(std::move(pinTimes)) {}
  bool IsMinimised() const override { return window_.IsMinimised(); }
  double DevicePixelRatio() const override { return window_.DevicePixelRatio(); }
  void ShowFrame(const Image& frame) override { window_.ShowFrame(frame); }
  void DescribeFrame(const std::string& description) override {
    window_.DescribeFrame(description + pinTimes_());
  }

 private:
  FrameWindow& window_;
  std::function<std::string()> pinTimes_;
};

}  // namespace

WorldWindow::WorldWindow(const WorldWindowPorts& ports) : ports_(ports) {
  map_.image = ports_.images.Load(BuiltinImage::EarthMap);
  markers_ = LoadMarkerImages(ports_.images);
}

void WorldWindow::OnInitDialog() {
  ports_.window.SetWindowIcons();
  Reload(true);
  ports_.timers.StartTimer(TimerId::Refresh, composer_.refreshPeriodMs());
}

void WorldWindow::OnPaint() {
  try {
    PaintFrame();
  } catch (const std::bad_alloc&) {
    // A very large map left too little memory to compose the frame: for the
    // rest of this run the built-in map takes its place (the setting stays,
    // the next start tries the file again).
    map_.image = ports_.images.Load(BuiltinImage::EarthMap);
    composer_.RequestRecompute();
    try {
      PaintFrame();
    } catch (const std::bad_alloc&) {
      // Nothing to show this time; the next paint tries again.
    }
  }
}

void WorldWindow::PaintFrame() {
  const EarthMapView map{map_.image, map_.nativeWidth, map_.nativeHeight};
  const FrameOptions options = AtDevicePixelRatio(FrameOptionsFor(settings_, map_.nativeWidth),
                                                  ports_.frame.DevicePixelRatio());
  const UnixTime now = ports_.clock.Now();
  FrameWindowWithPinTimes window(ports_.frame, [this, now] {
    return PinTimesText(settings_.pins, now, BuiltinPlaces(), ports_.zones);
  });
  composer_.PaintFrame(options, map, markers_, window, now,
                       nightLights_ ? &*nightLights_ : nullptr);
}

void WorldWindow::OnMouseMove(const MouseKeys& keys, std::int32_t x, std::int32_t y) {
  DragStep(ports_.window, ports_.timers, settings_, grab_, keys, x, y);
  if (tooltipShown_) {
    ports_.window.HideTooltip();
    tooltipShown_ = false;
  }
  const bool buttonHeld =
      keys.leftButton || keys.rightButton || keys.middleButton || keys.extraButton;
  if (buttonHeld) {
    ports_.timers.StopTimer(TimerId::Tooltip);
    return;
  }
  // Each move starts the wait over, so only a resting pointer gets one.
  // In the settings' pixels, where the window's are the device's.
  const double scale = ports_.window.WindowSizeScale();
  pointerX_ = static_cast<std::int32_t>(x / scale);
  pointerY_ = static_cast<std::int32_t>(y / scale);
  ports_.timers.StartTimer(TimerId::Tooltip, kTooltipDelayMs);
}

void WorldWindow::OnButtonDown() { CancelTooltip(); }

void WorldWindow::OnMouseLeave() { CancelTooltip(); }

void WorldWindow::CancelTooltip() {
  ports_.timers.StopTimer(TimerId::Tooltip);
  if (tooltipShown_) ports_.window.HideTooltip();
  tooltipShown_ = false;
}

void WorldWindow::OnLButtonUp() {
  if (!settings_.onTop) ports_.window.SetZOrder(ZOrder::Top);
}

void WorldWindow::OnRButtonUp() { RunSetup(); }

void WorldWindow::OnTimer(TimerId id) {
  if (id == TimerId::Refresh) {
    ports_.window.RedrawNow();
  } else if (id == TimerId::Tooltip) {
    ports_.timers.StopTimer(TimerId::Tooltip);
    const std::string text =
        PointerTooltip(settings_, map_.nativeWidth, composer_.lastComputeTime(), ports_.clock.Now(),
                       BuiltinPlaces(), ports_.zones, pointerX_, pointerY_);
    if (!text.empty()) {
      ports_.window.ShowTooltip(text);
      tooltipShown_ = true;
    }
  } else if (id == TimerId::Peek) {
    ports_.timers.StopTimer(TimerId::Peek);
    if (keepRaised_) {
      keepRaised_ = false;
    } else if (!settings_.onTop) {
      ports_.window.SetZOrder(ZOrder::Bottom);
    }
  }
}

void WorldWindow::OnSettingChange() {
  ReAnchor(ports_.window, settings_);
  OnPaint();
}

void WorldWindow::OnClockChanged() {
  // The refresh timer's clock may have stood still through a sleep, and the
  // paint rule only sees jumps of a whole period: recompute now. The period
  // starts over with this frame, so the next tick is the next recomputation
  // rather than a copy of this one.
  composer_.RequestRefresh();
  ports_.timers.StartTimer(TimerId::Refresh, composer_.refreshPeriodMs());
  ports_.window.RedrawNow();
}

void WorldWindow::OnTrayNotify(TrayEvent event) {
  if (setupOpen_) return;
  switch (event) {
    case TrayEvent::PointerMoved:  // hover: a short peek
      if (settings_.onTop) break;
      ports_.window.SetZOrder(ZOrder::Topmost);
      ports_.window.SetZOrder(ZOrder::NotTopmost);
      OnPaint();
      ports_.timers.StopTimer(TimerId::Peek);
      ports_.timers.StartTimer(TimerId::Peek, kPeekPeriodMs);
      break;
    case TrayEvent::LeftButtonUp:
    case TrayEvent::RightButtonUp:
      // A click raises the window and keeps it raised through the next peek;
      // with "always on top" it stays in the topmost band.
      ports_.timers.StopTimer(TimerId::Peek);
      keepRaised_ = true;
      ports_.window.SetZOrder(ZOrder::Topmost);
      if (!settings_.onTop) ports_.window.SetZOrder(ZOrder::NotTopmost);
      if (event == TrayEvent::RightButtonUp) RunSetup();
      break;
  }
}

void WorldWindow::OnScaleChanged(const WindowRect& suggested) {
  grab_ = GrabPoint{};
  settings_.positionX = suggested.left;
  settings_.positionY = suggested.top;
  ApplyPlacement(ports_.window, settings_);
  ports_.window.RedrawNow();
}

void WorldWindow::OnOK() {}

void WorldWindow::OnCancel() {
  SaveCurrentPlacement();
  tray_.Remove(ports_.tray);
  ports_.window.EndWorldWindow(kIdCancel);
}

void WorldWindow::RunSetup() {
  if (setupOpen_) return;
  setupOpen_ = true;
  ports_.timers.StopTimer(TimerId::Peek);
  SaveCurrentPlacement();
  const int result = ports_.setup.RunSetupDialog();
  if (result == kIdOk || result == kIdReload) {
    Reload(result == kIdReload);
    composer_.RequestRecompute();
    ports_.window.RedrawNow();
  } else if (result == kIdExit) {
    OnCancel();
  }
  setupOpen_ = false;
}

void WorldWindow::Reload(bool reloadMap) {
  if (reloadMap) {
    LoadEarthMap(map_, ports_.store, ports_.mapLoader, ports_.messages, ports_.images);
  }
  // The city lights follow the setting at every reload: the Sky dialog
  // changes them with an OK of the setup.
  nightLights_ = LoadNightLights(ports_.store, ports_.mapLoader, ports_.messages, ports_.images);
  settings_ = LoadSettings(ports_.store, ports_.window, tray_, ports_.tray, map_.nativeWidth,
                           map_.nativeHeight);
  ApplyPlacement(ports_.window, settings_);
}

void WorldWindow::SaveCurrentPlacement() {
  const WindowRect placement = ports_.window.GetWindowPlacement();
  SavePlacement(ports_.store, settings_, placement.left, placement.top, ports_.startup,
                ports_.messages);
}

}  // namespace lumivane
