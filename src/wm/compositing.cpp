// SPDX-License-Identifier: GPL-3.0-or-later
#include "compositing.h"

#include "gdi.h"
#include "window.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace wm {

namespace {

#if QT_CONFIG(xcb)
// An X11 desktop composites while some client owns the compositing-manager selection of the
// screen.
bool x11Compositing()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t *connection = x11->connection();
    const QByteArray name = "_NET_WM_CM_S0";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, std::uint16_t(name.size()), name.constData()), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}
#endif

} // namespace

bool compositing()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(u"wayland"_s))
        return true;
#if QT_CONFIG(xcb)
    if (platform == u"xcb"_s)
        return x11Compositing();
#endif
    return false;
}

QColor eraseColor(const PopupWindow &popup)
{
    if (popup.translucent())
        return Qt::transparent;
    const COLORREF c = GetSysColor(COLOR_INFOBK);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace wm
