#include "platform/qt/x11_window_state.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace lumivane {
namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

std::vector<xcb_atom_t> ReadAtoms(xcb_connection_t* connection, xcb_window_t window,
                                  xcb_atom_t property) {
  std::vector<xcb_atom_t> atoms;
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (reply == nullptr) return atoms;
  if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
    const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  return atoms;
}

// The first window a WINDOW property names, or none.
xcb_window_t ReadWindow(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(
          connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1),
          nullptr),
      &std::free);
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
    return XCB_WINDOW_NONE;
  }
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// Qt's X connection, or null off X11.
xcb_connection_t* QtConnection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  // The offscreen platform answers too, without a connection.
  return x11 == nullptr ? nullptr : x11->connection();
}

}  // namespace

void SkipTaskbarAndPager(QWindow& window) {
  xcb_connection_t* connection = QtConnection();
  if (connection == nullptr) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t state = InternAtom(connection, "_NET_WM_STATE");
  // Qt merges its own states into what the property already holds when it
  // maps the window, so these stay.
  std::vector<xcb_atom_t> atoms = ReadAtoms(connection, id, state);
  for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
    const xcb_atom_t atom = InternAtom(connection, name);
    if (atom != XCB_ATOM_NONE && std::ranges::find(atoms, atom) == atoms.end()) {
      atoms.push_back(atom);
    }
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(atoms.size()), atoms.data());
  xcb_flush(connection);
}

void SendQueuedRequests() {
  if (xcb_connection_t* connection = QtConnection()) xcb_flush(connection);
}

std::string X11WindowManagerName() {
  xcb_connection_t* connection = QtConnection();
  if (connection == nullptr) return {};
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const xcb_atom_t check = InternAtom(connection, "_NET_SUPPORTING_WM_CHECK");
  const xcb_window_t manager = ReadWindow(connection, root, check);
  // A window manager that has gone leaves its word on the root behind; the
  // window naming itself there is the proof that it still runs.
  if (manager == XCB_WINDOW_NONE || ReadWindow(connection, manager, check) != manager) return {};
  const xcb_atom_t name = InternAtom(connection, "_NET_WM_NAME");
  const xcb_atom_t utf8 = InternAtom(connection, "UTF8_STRING");
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection,
                             xcb_get_property(connection, 0, manager, name, utf8, 0, 256), nullptr),
      &std::free);
  if (!reply || reply->format != 8) return {};
  const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return std::string(text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

}  // namespace lumivane
