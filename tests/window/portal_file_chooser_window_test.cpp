// The desktop portal's file chooser, as a session with a portal offers it: a private session bus
// (dbus-daemon started here) with a stand-in portal on it that answers OpenFile with a file of
// the test's choosing. The file it names is the file qxhost loads; no helper program opens.
#include <dbus/dbus.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "qxhost_desktop_fixture.h"

namespace {

constexpr const char* kBusConfig =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>\n"
    "<policy context=\"default\"><allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
    "<allow own=\"*\"/></policy>\n"
    "</busconfig>\n";

// The stand-in portal: takes the well-known name, and answers each OpenFile call with the
// request object's path and then that object's Response carrying one file address.
class StandInPortal {
public:
    StandInPortal(const std::string& address, const std::string& uri) : uri_(uri) {
        connection_ = dbus_connection_open_private(address.c_str(), nullptr);
        if (!connection_ || !dbus_bus_register(connection_, nullptr)) return;
        ready_ = dbus_bus_request_name(connection_, "org.freedesktop.portal.Desktop",
                                       DBUS_NAME_FLAG_DO_NOT_QUEUE,
                                       nullptr) == DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
        if (ready_) thread_ = std::thread([this] { serve(); });
    }
    ~StandInPortal() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (connection_) {
            dbus_connection_close(connection_);
            dbus_connection_unref(connection_);
        }
    }
    bool ready() const { return ready_; }
    std::vector<std::string> titlesAsked() {
        std::lock_guard<std::mutex> lock(mutex_);
        return titles_;
    }
    std::vector<std::string> parentsAsked() {
        std::lock_guard<std::mutex> lock(mutex_);
        return parents_;
    }

private:
    void serve() {
        while (!stop_) {
            dbus_connection_read_write(connection_, 100);
            while (DBusMessage* message = dbus_connection_pop_message(connection_)) {
                if (dbus_message_is_method_call(message, "org.freedesktop.portal.FileChooser",
                                                "OpenFile"))
                    answer(message);
                dbus_message_unref(message);
            }
        }
    }

    static std::string handleToken(DBusMessageIter* options) {
        DBusMessageIter entries, entry, variant;
        dbus_message_iter_recurse(options, &entries);
        for (; dbus_message_iter_get_arg_type(&entries) == DBUS_TYPE_DICT_ENTRY;
             dbus_message_iter_next(&entries)) {
            dbus_message_iter_recurse(&entries, &entry);
            const char* key = nullptr;
            dbus_message_iter_get_basic(&entry, &key);
            dbus_message_iter_next(&entry);
            dbus_message_iter_recurse(&entry, &variant);
            if (std::string(key) == "handle_token" &&
                dbus_message_iter_get_arg_type(&variant) == DBUS_TYPE_STRING) {
                const char* token = nullptr;
                dbus_message_iter_get_basic(&variant, &token);
                return token;
            }
        }
        return "";
    }

    void answer(DBusMessage* call) {
        DBusMessageIter arguments;
        dbus_message_iter_init(call, &arguments);
        const char *parent = nullptr, *title = nullptr;
        dbus_message_iter_get_basic(&arguments, &parent);
        dbus_message_iter_next(&arguments);
        dbus_message_iter_get_basic(&arguments, &title);
        dbus_message_iter_next(&arguments);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            parents_.push_back(parent ? parent : "");
            titles_.push_back(title ? title : "");
        }
        std::string sender = dbus_message_get_sender(call) + 1;
        for (char& c : sender)
            if (c == '.') c = '_';
        const std::string path =
            "/org/freedesktop/portal/desktop/request/" + sender + "/" + handleToken(&arguments);
        DBusMessage* reply = dbus_message_new_method_return(call);
        const char* objectPath = path.c_str();
        dbus_message_append_args(reply, DBUS_TYPE_OBJECT_PATH, &objectPath, DBUS_TYPE_INVALID);
        dbus_connection_send(connection_, reply, nullptr);
        dbus_message_unref(reply);
        sendResponse(path);
    }

    void sendResponse(const std::string& path) {
        DBusMessage* signal =
            dbus_message_new_signal(path.c_str(), "org.freedesktop.portal.Request", "Response");
        DBusMessageIter arguments, results, entry, variant, uris;
        dbus_message_iter_init_append(signal, &arguments);
        dbus_uint32_t code = 0;
        dbus_message_iter_append_basic(&arguments, DBUS_TYPE_UINT32, &code);
        dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &results);
        dbus_message_iter_open_container(&results, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
        const char* key = "uris";
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
        dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "as", &variant);
        dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "s", &uris);
        const char* uri = uri_.c_str();
        dbus_message_iter_append_basic(&uris, DBUS_TYPE_STRING, &uri);
        dbus_message_iter_close_container(&variant, &uris);
        dbus_message_iter_close_container(&entry, &variant);
        dbus_message_iter_close_container(&results, &entry);
        dbus_message_iter_close_container(&arguments, &results);
        dbus_connection_send(connection_, signal, nullptr);
        dbus_connection_flush(connection_);
        dbus_message_unref(signal);
    }

    DBusConnection* connection_ = nullptr;
    std::string uri_;
    bool ready_ = false;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> titles_;
    std::vector<std::string> parents_;
};

class PortalFileChooser : public QxhostOnDesktop {
protected:
    void SetUp() override {
        if (!dd::installed("dbus-daemon")) GTEST_SKIP() << "dbus-daemon is not installed";
        QxhostOnDesktop::SetUp();
        if (IsSkipped()) return;
        const std::string config = folder + "/bus.conf";
        std::FILE* file = std::fopen(config.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(kBusConfig, file);
        std::fclose(file);
        address = startBus(config);
        ASSERT_FALSE(address.empty()) << "the private bus did not start";
    }
    void TearDown() override {
        if (bus > 0) {
            ::kill(bus, SIGTERM);
            ::waitpid(bus, nullptr, 0);
        }
        QxhostOnDesktop::TearDown();
    }

    // dbus-daemon prints its address on the pipe once it listens.
    std::string startBus(const std::string& config) {
        int ends[2];
        if (::pipe(ends) != 0) return "";
        bus = ::fork();
        if (bus == 0) {
            ::dup2(ends[1], 1);
            ::close(ends[0]);
            ::execlp("dbus-daemon", "dbus-daemon", ("--config-file=" + config).c_str(), "--nofork",
                     "--print-address=1", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ends[1]);
        std::string text;
        char c = 0;
        while (::read(ends[0], &c, 1) == 1 && c != '\n') text += c;
        ::close(ends[0]);
        return text;
    }

    pid_t bus = 0;
    std::string address;
};

TEST_F(PortalFileChooser, ThePathThePortalReturnsIsThePathLoaded) {
    dd::output({"cp", "PATCHES/DEMO.txt", folder + "/from portal.txt"});
    StandInPortal portal(address, "file://" + absoluteFolder + "/from%20portal.txt");
    ASSERT_TRUE(portal.ready());
    start({}, {{"DBUS_SESSION_BUS_ADDRESS", address}});
    const Window topLevel = topLevelWindow();
    dd::clickAt(kOpenX, kBarY);
    for (int i = 0; i < 300 && !consoleHas("<< PATCH LOADING COMPLETE >>\n"); ++i) {
        if (consoleHas("ATTEMPT TO LOAD MACRO : Z:\\")) break;
        dd::pause(100);
    }
    EXPECT_EQ(close(), 0) << stderrText();
    EXPECT_EQ(portal.titlesAsked(), std::vector<std::string>{"Open"});
    // The chooser stays with qxhost's window, the editor's parent.
    char parent[32];
    std::snprintf(parent, sizeof parent, "x11:%lx", topLevel);
    EXPECT_EQ(portal.parentsAsked(), std::vector<std::string>{parent});
    EXPECT_TRUE(consoleHas("ATTEMPT TO LOAD MACRO : Z:\\"));
    EXPECT_FALSE(consoleHas("OPEN FILE DIALOG CANCELLED"));
    EXPECT_TRUE(qxhost_driver::consoleHas(trace(), "0 out 9 768 "));
}

} // namespace
