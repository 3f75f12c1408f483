// The desktop portal's file chooser over libdbus. The request object's path is known before the
// call (from our bus name and a token of our own), so its Response signal is listened for before
// it can arrive. The method's reply and the signal are read from the connection's socket inside
// the modal loop, so the windows keep painting while the chooser is open.
#include "portal_file_chooser.h"

#include <dbus/dbus.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "helper_process.h"
#include "modal_loop.h"

namespace qxplatform {
namespace {

constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooserInterface = "org.freedesktop.portal.FileChooser";
constexpr int kReplyTimeoutMs = 10000;
constexpr int kPollMs = 50;

// The session bus without autolaunching one: the address from the environment, else the
// per-user socket that systemd sessions provide.
DBusConnection* openSessionBus() {
    std::string address;
    if (const char* given = std::getenv("DBUS_SESSION_BUS_ADDRESS")) address = given;
    if (address.empty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        struct stat info;
        const std::string socket = runtime ? std::string(runtime) + "/bus" : std::string();
        if (socket.empty() || ::stat(socket.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode))
            return nullptr;
        address = "unix:path=" + socket;
    }
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
    if (connection && !dbus_bus_register(connection, &error)) {
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
        connection = nullptr;
    }
    dbus_error_free(&error);
    if (connection) dbus_connection_set_exit_on_disconnect(connection, FALSE);
    return connection;
}

void closeBus(DBusConnection* connection) {
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
}

// The portal runs, or the bus can start it.
bool portalOnBus(DBusConnection* connection) {
    DBusError error;
    dbus_error_init(&error);
    const bool running = dbus_bus_name_has_owner(connection, kPortalName, &error);
    dbus_error_free(&error);
    if (running) return true;
    DBusMessage* call =
        dbus_message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                     "org.freedesktop.DBus", "ListActivatableNames");
    DBusMessage* reply =
        dbus_connection_send_with_reply_and_block(connection, call, kReplyTimeoutMs, &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
    if (!reply) return false;
    bool found = false;
    DBusMessageIter top, names;
    if (dbus_message_iter_init(reply, &top) && dbus_message_iter_get_arg_type(&top) == 'a') {
        dbus_message_iter_recurse(&top, &names);
        for (; dbus_message_iter_get_arg_type(&names) == 's' && !found;
             dbus_message_iter_next(&names)) {
            const char* name = nullptr;
            dbus_message_iter_get_basic(&names, &name);
            found = name && std::string(name) == kPortalName;
        }
    }
    dbus_message_unref(reply);
    return found;
}

// ":1.42" gives "1_42", the sender part of a request object's path.
std::string senderPart(DBusConnection* connection) {
    std::string name = dbus_bus_get_unique_name(connection);
    if (!name.empty() && name[0] == ':') name.erase(0, 1);
    for (char& c : name)
        if (c == '.') c = '_';
    return name;
}

void listenForResponse(DBusConnection* connection, const std::string& requestPath) {
    const std::string rule = "type='signal',interface='org.freedesktop.portal.Request',"
                             "member='Response',path='" +
                             requestPath + "'";
    dbus_bus_add_match(connection, rule.c_str(), nullptr);
}

// ---- Building the call -----------------------------------------------------------------------

void openEntry(DBusMessageIter* dict, DBusMessageIter* entry, DBusMessageIter* variant,
               const char* key, const char* signature) {
    dbus_message_iter_open_container(dict, DBUS_TYPE_DICT_ENTRY, nullptr, entry);
    dbus_message_iter_append_basic(entry, DBUS_TYPE_STRING, &key);
    dbus_message_iter_open_container(entry, DBUS_TYPE_VARIANT, signature, variant);
}

void closeEntry(DBusMessageIter* dict, DBusMessageIter* entry, DBusMessageIter* variant) {
    dbus_message_iter_close_container(entry, variant);
    dbus_message_iter_close_container(dict, entry);
}

void addString(DBusMessageIter* dict, const char* key, const std::string& value) {
    DBusMessageIter entry, variant;
    openEntry(dict, &entry, &variant, key, "s");
    const char* text = value.c_str();
    dbus_message_iter_append_basic(&variant, DBUS_TYPE_STRING, &text);
    closeEntry(dict, &entry, &variant);
}

void addBoolean(DBusMessageIter* dict, const char* key, bool value) {
    DBusMessageIter entry, variant;
    openEntry(dict, &entry, &variant, key, "b");
    dbus_bool_t flag = value ? TRUE : FALSE;
    dbus_message_iter_append_basic(&variant, DBUS_TYPE_BOOLEAN, &flag);
    closeEntry(dict, &entry, &variant);
}

// A path as the portal takes it: bytes with a closing zero.
void addPathBytes(DBusMessageIter* dict, const char* key, const std::string& path) {
    DBusMessageIter entry, variant, bytes;
    openEntry(dict, &entry, &variant, key, "ay");
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "y", &bytes);
    const char* data = path.c_str();
    dbus_message_iter_append_fixed_array(&bytes, DBUS_TYPE_BYTE, &data,
                                         static_cast<int>(path.size() + 1));
    dbus_message_iter_close_container(&variant, &bytes);
    closeEntry(dict, &entry, &variant);
}

// One filter: (label, [(0, glob), ...]).
void appendFilter(DBusMessageIter* into, const desktop::FileFilter& filter) {
    DBusMessageIter structure, patterns, pattern;
    dbus_message_iter_open_container(into, DBUS_TYPE_STRUCT, nullptr, &structure);
    const char* label = filter.label.c_str();
    dbus_message_iter_append_basic(&structure, DBUS_TYPE_STRING, &label);
    dbus_message_iter_open_container(&structure, DBUS_TYPE_ARRAY, "(us)", &patterns);
    for (const std::string& glob : filter.patterns) {
        dbus_message_iter_open_container(&patterns, DBUS_TYPE_STRUCT, nullptr, &pattern);
        dbus_uint32_t kind = 0;
        const char* text = glob.c_str();
        dbus_message_iter_append_basic(&pattern, DBUS_TYPE_UINT32, &kind);
        dbus_message_iter_append_basic(&pattern, DBUS_TYPE_STRING, &text);
        dbus_message_iter_close_container(&patterns, &pattern);
    }
    dbus_message_iter_close_container(&structure, &patterns);
    dbus_message_iter_close_container(into, &structure);
}

void addFilters(DBusMessageIter* dict, const desktop::FileRequest& request) {
    if (request.filters.empty()) return;
    DBusMessageIter entry, variant, list;
    openEntry(dict, &entry, &variant, "filters", "a(sa(us))");
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "(sa(us))", &list);
    for (const desktop::FileFilter& filter : request.filters) appendFilter(&list, filter);
    dbus_message_iter_close_container(&variant, &list);
    closeEntry(dict, &entry, &variant);
    const size_t selected =
        request.selectedFilter < request.filters.size() ? request.selectedFilter : 0;
    openEntry(dict, &entry, &variant, "current_filter", "(sa(us))");
    appendFilter(&variant, request.filters[selected]);
    closeEntry(dict, &entry, &variant);
}

DBusMessage* chooserCall(const desktop::FileRequest& request, unsigned long owner,
                         const std::string& token) {
    DBusMessage* call = dbus_message_new_method_call(kPortalName, kPortalPath, kChooserInterface,
                                                     request.save ? "SaveFile" : "OpenFile");
    if (!call) return nullptr;
    DBusMessageIter arguments, dict;
    dbus_message_iter_init_append(call, &arguments);
    const std::string parentWindow = desktop::portalParentWindow(owner);
    const char* parent = parentWindow.c_str();
    const char* title = request.title.c_str();
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &parent);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &title);
    dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &dict);
    addString(&dict, "handle_token", token);
    addBoolean(&dict, "modal", true);
    addFilters(&dict, request);
    if (request.save && !request.name.empty()) addString(&dict, "current_name", request.name);
    if (!request.folder.empty()) addPathBytes(&dict, "current_folder", request.folder);
    dbus_message_iter_close_container(&arguments, &dict);
    return call;
}

// ---- Reading the answer ----------------------------------------------------------------------

// The first of the "uris" in a Response's results; empty when there is none.
std::string firstUri(DBusMessageIter* results) {
    DBusMessageIter entries, entry, variant, uris;
    if (dbus_message_iter_get_arg_type(results) != DBUS_TYPE_ARRAY) return std::string();
    dbus_message_iter_recurse(results, &entries);
    for (; dbus_message_iter_get_arg_type(&entries) == DBUS_TYPE_DICT_ENTRY;
         dbus_message_iter_next(&entries)) {
        dbus_message_iter_recurse(&entries, &entry);
        const char* key = nullptr;
        dbus_message_iter_get_basic(&entry, &key);
        if (!key || std::string(key) != "uris" || !dbus_message_iter_next(&entry)) continue;
        dbus_message_iter_recurse(&entry, &variant);
        if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_ARRAY) continue;
        dbus_message_iter_recurse(&variant, &uris);
        if (dbus_message_iter_get_arg_type(&uris) != DBUS_TYPE_STRING) continue;
        const char* uri = nullptr;
        dbus_message_iter_get_basic(&uris, &uri);
        return uri ? uri : "";
    }
    return std::string();
}

PortalAnswer readResponse(DBusMessage* signal, std::string& path) {
    DBusMessageIter arguments;
    if (!dbus_message_iter_init(signal, &arguments) ||
        dbus_message_iter_get_arg_type(&arguments) != DBUS_TYPE_UINT32)
        return PortalAnswer::Cancelled;
    dbus_uint32_t code = 2;
    dbus_message_iter_get_basic(&arguments, &code);
    if (code != 0 || !dbus_message_iter_next(&arguments)) return PortalAnswer::Cancelled;
    path = desktop::pathFromFileUri(firstUri(&arguments));
    return path.empty() ? PortalAnswer::Cancelled : PortalAnswer::Chosen;
}

bool isPortalGone(DBusMessage* message) {
    if (!dbus_message_is_signal(message, "org.freedesktop.DBus", "NameOwnerChanged")) return false;
    const char *name = nullptr, *before = nullptr, *after = nullptr;
    if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_STRING, &before,
                               DBUS_TYPE_STRING, &after, DBUS_TYPE_INVALID))
        return false;
    return std::string(name) == kPortalName && after[0] == 0;
}

// The conversation after the call was sent: its reply names the request object (which may
// differ from the one expected with older portals), then that object's Response ends it.
struct Conversation {
    DBusConnection* connection;
    dbus_uint32_t serial;
    std::string requestPath;
    bool replied = false;
    std::chrono::steady_clock::time_point sent = std::chrono::steady_clock::now();
};

// Handles one message; true when the conversation is over with `answer`.
bool handle(Conversation& talk, DBusMessage* message, PortalAnswer& answer, std::string& path) {
    const int type = dbus_message_get_type(message);
    if (!talk.replied && dbus_message_get_reply_serial(message) == talk.serial) {
        if (type == DBUS_MESSAGE_TYPE_ERROR) {
            answer = PortalAnswer::Unavailable;
            return true;
        }
        talk.replied = true;
        const char* handle = nullptr;
        if (dbus_message_get_args(message, nullptr, DBUS_TYPE_OBJECT_PATH, &handle,
                                  DBUS_TYPE_INVALID) &&
            talk.requestPath != handle) {
            talk.requestPath = handle;
            listenForResponse(talk.connection, talk.requestPath);
        }
        return false;
    }
    const char* objectPath = dbus_message_get_path(message);
    if (dbus_message_is_signal(message, "org.freedesktop.portal.Request", "Response") &&
        objectPath && talk.requestPath == objectPath) {
        answer = readResponse(message, path);
        return true;
    }
    if (isPortalGone(message)) {
        answer = PortalAnswer::Cancelled;
        return true;
    }
    return false;
}

PortalAnswer converse(Conversation& talk, std::string& path) {
    int fd = -1;
    dbus_connection_get_unix_fd(talk.connection, &fd);
    for (;;) {
        if (quitPending()) return PortalAnswer::Cancelled;
        if (!dbus_connection_read_write(talk.connection, 0)) return PortalAnswer::Cancelled;
        while (DBusMessage* message = dbus_connection_pop_message(talk.connection)) {
            PortalAnswer answer = PortalAnswer::Cancelled;
            const bool over = handle(talk, message, answer, path);
            dbus_message_unref(message);
            if (over) return answer;
        }
        const auto waited = std::chrono::steady_clock::now() - talk.sent;
        if (!talk.replied && waited > std::chrono::milliseconds(kReplyTimeoutMs))
            return PortalAnswer::Unavailable;
        pumpWhileModal(fd, kPollMs);
    }
}

std::string nextToken() {
    static unsigned counter = 0;
    return "qx" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

} // namespace

PortalAnswer askPortalFileChooser(const desktop::FileRequest& request, unsigned long owner,
                                  std::string& path) {
    DBusConnection* connection = openSessionBus();
    if (!connection) return PortalAnswer::Unavailable;
    if (!portalOnBus(connection)) {
        closeBus(connection);
        return PortalAnswer::Unavailable;
    }
    const std::string token = nextToken();
    Conversation talk{connection, 0,
                      "/org/freedesktop/portal/desktop/request/" + senderPart(connection) + "/" +
                          token};
    listenForResponse(connection, talk.requestPath);
    dbus_bus_add_match(connection,
                       "type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',"
                       "arg0='org.freedesktop.portal.Desktop'",
                       nullptr);
    DBusMessage* call = chooserCall(request, owner, token);
    PortalAnswer answer = PortalAnswer::Unavailable;
    if (call && dbus_connection_send(connection, call, &talk.serial)) answer = converse(talk, path);
    if (call) dbus_message_unref(call);
    closeBus(connection);
    return answer;
}

} // namespace qxplatform
