#include "TaskbarEntry.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <memory>
#include <vector>

namespace {

struct TFreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using TReply = std::unique_ptr<T, TFreeReply>;

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    const TReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::char_traits<char>::length(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window's own state list: what a window manager reads when the window is mapped, and all there is when
// no manager runs. Qt keeps the atoms it does not manage itself when it maps the window.
void EditStateProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t state, xcb_atom_t skip,
                       bool add)
{
    const TReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 1024), nullptr));
    std::vector<xcb_atom_t> atoms;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto *data = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        atoms.assign(data, data + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
    }
    std::erase(atoms, skip);
    if (add)
        atoms.push_back(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
}

// A mapped window's state belongs to the window manager, which takes changes as requests to the root window.
void RequestState(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t state, xcb_atom_t skip, bool add)
{
    const TReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = state;
    message.data.data32[0] = add ? 1 : 0; // _NET_WM_STATE_ADD or _REMOVE
    message.data.data32[1] = skip;
    message.data.data32[3] = 1; // the request comes from an ordinary application
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
}

} // namespace

void ShowTaskbarEntry(QWidget &AWindow, bool AShown)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers too, without a connection.
    xcb_connection_t *connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr)
        return;
    const auto window = static_cast<xcb_window_t>(AWindow.winId());
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    EditStateProperty(connection, window, state, skip, !AShown);
    RequestState(connection, window, state, skip, !AShown);
    xcb_flush(connection);
}
