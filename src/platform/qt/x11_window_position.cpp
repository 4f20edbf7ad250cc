#include "platform/qt/x11_window_position.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <memory>

namespace lumivane {

std::optional<QPoint> X11WindowPosition(QWindow& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  // The offscreen platform answers too, without a connection.
  if (x11 == nullptr || x11->connection() == nullptr || window.handle() == nullptr) {
    return std::nullopt;
  }
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> reply(
      xcb_translate_coordinates_reply(
          connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr),
      &std::free);
  if (!reply) return std::nullopt;
  return QPoint(reply->dst_x, reply->dst_y);
}

}  // namespace lumivane
