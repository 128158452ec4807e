/* mutter-key KEYSYM...: presses and releases each X keysym (hexadecimal or
 * decimal; "wN" waits N milliseconds instead) through mutter's remote-desktop interface on the session bus, the
 * one way to type into its headless back end. The session lives as long as
 * this program's connection, so every call goes through one connection. */
#include <gio/gio.h>
#include <stdio.h>
#include <stdlib.h>

static GVariant* call(GDBusConnection* bus, const char* path, const char* iface, const char* method, GVariant* args)
{
    GError* error = NULL;
    GVariant* reply = g_dbus_connection_call_sync(bus, "org.gnome.Mutter.RemoteDesktop", path, iface, method, args, NULL,
        G_DBUS_CALL_FLAGS_NONE, 5000, NULL, &error);
    if (!reply) {
        fprintf(stderr, "mutter-key: %s: %s\n", method, error->message);
        exit(1);
    }
    return reply;
}

int main(int argc, char** argv)
{
    GError* error = NULL;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, NULL, &error);
    if (!bus) {
        fprintf(stderr, "mutter-key: %s\n", error->message);
        return 1;
    }
    GVariant* reply = call(bus, "/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop", "CreateSession", NULL);
    const char* session = NULL;
    g_variant_get(reply, "(&o)", &session);
    const char* iface = "org.gnome.Mutter.RemoteDesktop.Session";
    g_variant_unref(call(bus, session, iface, "Start", NULL));
    /* Keys sent at once after the start are lost: the session's virtual
     * keyboard is not yet there. */
    g_usleep(500000);
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == 'w') {
            g_usleep((gulong)strtoul(argv[i] + 1, NULL, 10) * 1000);
            continue;
        }
        guint32 keysym = (guint32)strtoul(argv[i], NULL, 0);
        g_variant_unref(call(bus, session, iface, "NotifyKeyboardKeysym", g_variant_new("(ub)", keysym, TRUE)));
        g_usleep(50000);
        g_variant_unref(call(bus, session, iface, "NotifyKeyboardKeysym", g_variant_new("(ub)", keysym, FALSE)));
        g_usleep(200000);
    }
    g_variant_unref(call(bus, session, iface, "Stop", NULL));
    g_variant_unref(reply);
    return 0;
}
