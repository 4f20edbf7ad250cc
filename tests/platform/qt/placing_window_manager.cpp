// A window manager for the desktop tests that places X11 windows itself, as
// Wayland compositors do: every window is shown at (100, 100), sizes are
// granted, and a program's own requests to move a window are answered with
// the window's unchanged place (a synthetic ConfigureNotify, as the X11
// conventions ask). Prints "ready" once it manages the display.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr std::int16_t kPlace = 100;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

void GrantSizeKeepPlace(xcb_connection_t* connection,
                        const xcb_configure_request_event_t& request) {
  std::uint32_t values[2];
  std::uint16_t mask = 0;
  int count = 0;
  if (request.value_mask & XCB_CONFIG_WINDOW_WIDTH) {
    mask |= XCB_CONFIG_WINDOW_WIDTH;
    values[count++] = request.width;
  }
  if (request.value_mask & XCB_CONFIG_WINDOW_HEIGHT) {
    mask |= XCB_CONFIG_WINDOW_HEIGHT;
    values[count++] = request.height;
  }
  if (mask != 0) xcb_configure_window(connection, request.window, mask, values);

  const std::unique_ptr<xcb_get_geometry_reply_t, FreeDeleter> geometry(
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, request.window), nullptr));
  if (!geometry) return;
  xcb_configure_notify_event_t notify{};
  notify.response_type = XCB_CONFIGURE_NOTIFY;
  notify.event = request.window;
  notify.window = request.window;
  notify.x = geometry->x;
  notify.y = geometry->y;
  notify.width = (mask & XCB_CONFIG_WINDOW_WIDTH) ? request.width : geometry->width;
  notify.height = (mask & XCB_CONFIG_WINDOW_HEIGHT) ? request.height : geometry->height;
  xcb_send_event(connection, 0, request.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&notify));
}

}  // namespace

int main() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "placing_window_manager: cannot open the display\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
  const std::unique_ptr<xcb_generic_error_t, FreeDeleter> error(xcb_request_check(
      connection,
      xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &events)));
  if (error) {
    std::fprintf(stderr, "placing_window_manager: another window manager runs\n");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);

  while (const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event{
      xcb_wait_for_event(connection)}) {
    switch (event->response_type & 0x7f) {
      case XCB_MAP_REQUEST: {
        const auto& request = *reinterpret_cast<xcb_map_request_event_t*>(event.get());
        const std::uint32_t place[] = {kPlace, kPlace};
        xcb_configure_window(connection, request.window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y,
                             place);
        xcb_map_window(connection, request.window);
        break;
      }
      case XCB_CONFIGURE_REQUEST:
        GrantSizeKeepPlace(connection,
                           *reinterpret_cast<xcb_configure_request_event_t*>(event.get()));
        break;
      default: break;
    }
    xcb_flush(connection);
  }
  return 0;
}
