#pragma once

#include <cstdint>

#include "app/ports.h"
#include "app/tray_icon.h"
#include "app/window_placement.h"
#include "places/time_zones.h"
#include "render/builtin_images.h"
#include "render/frame_composer.h"
#include "render/ports.h"
#include "settings/clock_settings.h"
#include "settings/earth_map.h"
#include "settings/ports.h"

namespace lumivane {

// Everything the world window talks to. The shell usually implements the
// window-facing ports in one class.
struct WorldWindowPorts {
  Window& window;
  Timers& timers;
  NotificationArea& tray;
  SetupDialog& setup;
  FrameWindow& frame;
  ProfileStore& store;
  MapImageLoader& mapLoader;
  MessageSink& messages;  // message boxes owned by the world window
  StartupRegistration& startup;
  BuiltinImageSource& images;
  Clock& clock;
  const TimeZones& zones;  // local times in the tooltip
};

// The program's one window, a borderless map. It owns the settings, the
// Earth map and the markers, the frame composer, its timers, its z-order
// behaviour and the setup flow. Each shell turns its events into exactly one
// of the On... calls below and draws what FrameWindow::ShowFrame hands it.
class WorldWindow {
 public:
  // Loads the built-in map (native size 400 x 200) and the marker pictures.
  explicit WorldWindow(const WorldWindowPorts& ports);

  // Icons, Earth map, settings (z-order band and tray icon), placement, then
  // the refresh timer.
  void OnInitDialog();
  void OnPaint();
  // A move with no button held starts the wait for the tooltip over; with a
  // button held it is a drag step.
  void OnMouseMove(const MouseKeys& keys, std::int32_t x, std::int32_t y);
  // A button went down, or the pointer left the window: no tooltip.
  void OnButtonDown();
  void OnMouseLeave();
  void OnLButtonUp();
  void OnRButtonUp();
  void OnTimer(TimerId id);
  // The desktop area may have changed: re-anchor, then paint at once.
  void OnSettingChange();
  void OnTrayNotify(TrayEvent event);
  // The wall clock was set, or the computer woke up from sleep.
  void OnClockChanged();
  // The window's monitor scale has changed (WindowSizeScale already gives
  // the new one): the window takes the suggested place, keeps its size in
  // the settings' pixels and its anchored edges; a drag goes on from where
  // the pointer is now.
  void OnScaleChanged(const WindowRect& suggested);
  // Enter: the window stays.
  void OnOK();
  // Esc or a close request: save the placement, remove the tray icon, end.
  void OnCancel();

  // Opens the setup dialog (unless it is open already) and applies what it
  // changed.
  void RunSetup();

  const ClockSettings& settings() const { return settings_; }
  const EarthMap& earthMap() const { return map_; }
  const FrameComposer& composer() const { return composer_; }
  const GrabPoint& grabPoint() const { return grab_; }
  bool setupOpen() const { return setupOpen_; }
  bool keepRaised() const { return keepRaised_; }
  bool trayIconAdded() const { return tray_.added(); }

 private:
  // The map when asked, then the settings (with their effects) and placement.
  void Reload(bool reloadMap);
  void SaveCurrentPlacement();
  void PaintFrame();
  void CancelTooltip();

  WorldWindowPorts ports_;
  EarthMap map_;
  std::optional<Image> nightLights_;  // when the sky settings ask for them
  MarkerImages markers_;
  ClockSettings settings_;
  FrameComposer composer_;
  TrayIcon tray_;
  GrabPoint grab_;
  bool keepRaised_ = false;
  bool setupOpen_ = false;
  // Where the pointer last rested, and whether its tooltip is showing.
  std::int32_t pointerX_ = 0;
  std::int32_t pointerY_ = 0;
  bool tooltipShown_ = false;
};

}  // namespace lumivane
