#pragma once

// Keys sent into mutter's headless session through its remote-desktop
// D-Bus interface: the Wayland stand-in for xdotool. The session lives as
// long as this object's bus connection.

#include <gio/gio.h>

#include <string>

namespace benchsupport {

class MutterKeyboard {
public:
    // `busAddress`: the session bus mutter runs on.
    bool Open(const std::string& busAddress)
    {
        m_bus = g_dbus_connection_new_for_address_sync(busAddress.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION), nullptr, nullptr,
            nullptr);
        if (!m_bus)
            return false;
        GVariant* reply = Call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop", "CreateSession", nullptr);
        if (!reply)
            return false;
        const gchar* path = nullptr;
        g_variant_get(reply, "(&o)", &path);
        m_session = path;
        g_variant_unref(reply);
        reply = Call(m_session, "org.gnome.Mutter.RemoteDesktop.Session", "Start", nullptr);
        if (!reply)
            return false;
        g_variant_unref(reply);
        return true;
    }
    ~MutterKeyboard()
    {
        if (m_bus)
            g_object_unref(m_bus);
    }

    // A press and release of the key with X keysym `keysym`. The session's
    // keyboard comes into being with its first key, which the focused
    // window misses (it is given the keyboard only after): a caller sends
    // that key again.
    bool Press(unsigned keysym)
    {
        for (const bool down : { true, false }) {
            GVariant* reply = Call(m_session, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeysym", g_variant_new("(ub)", keysym, down ? TRUE : FALSE));
            if (!reply)
                return false;
            g_variant_unref(reply);
        }
        return true;
    }

private:
    GVariant* Call(const std::string& path, const char* interface, const char* method, GVariant* args)
    {
        return g_dbus_connection_call_sync(m_bus, "org.gnome.Mutter.RemoteDesktop", path.c_str(), interface, method, args, nullptr,
            G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    }

    GDBusConnection* m_bus = nullptr;
    std::string m_session;
};

}
