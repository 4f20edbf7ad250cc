#include "platform/qt/tray_icon_backdrop.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QSysInfo>
#include <QTimer>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace lumivane {
namespace {

// xcb's replies are released with free().
template <typename T>
using XcbReply = std::unique_ptr<T, decltype([](T* reply) { std::free(reply); })>;

// Depth 24 in 32-bit pixels, the layout of QImage::Format_RGB32 on a
// little-endian machine talking to an LSB-first server.
constexpr std::uint8_t kOpaqueDepth = 24;

// When a newly docked icon reads the tray's background again.
constexpr int kRereadDelaysMs[] = {1000, 3000};

// The connection of a widget with a native X window, or null.
xcb_connection_t* X11Connection(const QWidget& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || window.windowHandle() == nullptr) return nullptr;
  return x11->connection();  // null on the offscreen platform
}

}  // namespace

bool TrayIconBackdrop::Filter(QWidget& window, QEvent& event, const QIcon& icon) {
  if (event.type() != QEvent::Paint) {
    background_ = QImage();
    return false;
  }
  const unsigned parent = ParentWindow(window);
  if (window_ != &window || parent != parent_) {
    window_ = &window;
    parent_ = parent;
    // A tray that has just taken the window in may not have drawn its own
    // background yet: read it again a little later, twice.
    for (int delayMs : kRereadDelaysMs) {
      QTimer::singleShot(delayMs, &window, [this, reread = &window] {
        if (window_ != reread) return;
        background_ = QImage();
        reread->update();
      });
    }
  }
  if (background_.isNull()) background_ = ReadParentBackground(window);
  if (background_.isNull()) return false;
  QPainter painter(&window);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(window.rect(), background_);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  icon.paint(&painter, window.rect());
  return true;
}

unsigned ParentWindow(const QWidget& window) {
  xcb_connection_t* connection = X11Connection(window);
  if (connection == nullptr) return 0;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const XcbReply<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
  return tree ? tree->parent : 0;
}

QImage ReadParentBackground(const QWidget& window) {
  xcb_connection_t* connection = X11Connection(window);
  if (connection == nullptr) return {};
  if (xcb_get_setup(connection)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
      QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
    return {};
  }
  const auto id = static_cast<xcb_window_t>(window.winId());

  const XcbReply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
  // A window with an alpha channel lets the tray show through by itself.
  if (!geometry || geometry->depth != kOpaqueDepth) return {};

  // The server fills a window whose background is "parent relative" with
  // the parent's background when the window is cleared; read that back.
  const std::uint32_t parentRelative = XCB_BACK_PIXMAP_PARENT_RELATIVE;
  const XcbReply<xcb_generic_error_t> refused(xcb_request_check(
      connection,
      xcb_change_window_attributes_checked(connection, id, XCB_CW_BACK_PIXMAP, &parentRelative)));
  if (refused) return {};
  xcb_clear_area(connection, 0, id, 0, 0, 0, 0);
  xcb_generic_error_t* error = nullptr;
  const XcbReply<xcb_get_image_reply_t> pixels(
      xcb_get_image_reply(connection,
                          xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, id, 0, 0,
                                        geometry->width, geometry->height, ~0u),
                          &error));
  std::free(error);
  const int width = geometry->width;
  const int height = geometry->height;
  if (!pixels || pixels->depth != kOpaqueDepth ||
      xcb_get_image_data_length(pixels.get()) != width * height * 4) {
    return {};
  }
  QImage background(width, height, QImage::Format_RGB32);
  const auto* source = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(pixels.get()));
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(background.scanLine(y));
    // The server leaves the padding byte open; Qt wants it 0xff.
    for (int x = 0; x < width; ++x) row[x] = source[y * width + x] | 0xff000000u;
  }
  return background;
}

}  // namespace lumivane
