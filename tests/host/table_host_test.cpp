// A host written only from the module's interface tables (slots, identifiers and result codes),
// with declarations of its own, loads QX_GUI.sem with dlopen and checks every answer it gets.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <cstring>
#include <string>

// The slot tables have external linkage on purpose: inside an anonymous namespace the compiler
// may assume it sees every implementation and call the test host's code in place of the module's.
namespace table_host {

struct Guid {
    uint32_t a;
    uint16_t b, c;
    uint8_t d[8];
};
bool sameGuid(const Guid& x, const Guid& y) {
    return std::memcmp(&x, &y, sizeof x) == 0;
}

const Guid kUnknown = {0x00000000, 0x0000, 0xC000, {0, 0, 0, 0, 0, 0, 0, 0x46}};
const Guid kFactoryA = {
    0x91C3D2EE, 0xC701, 0x4F35, {0x91, 0xA6, 0x09, 0x4D, 0xC7, 0xE0, 0x59, 0x76}};
const Guid kFactoryB = {
    0x9A7904B7, 0x7F7F, 0x4D61, {0xB5, 0x58, 0xC1, 0xA6, 0x69, 0x5B, 0xB6, 0x38}};
const Guid kUserInterface = {
    0xCACB3203, 0x4A57, 0x4209, {0x9E, 0x00, 0x0C, 0x4B, 0x95, 0x04, 0x57, 0xF6}};
const Guid kLegacyInit = {
    0x0B471002, 0x5627, 0x4D46, {0x98, 0x4E, 0xC0, 0xDC, 0x79, 0xD0, 0xAD, 0x35}};
const Guid kGraphics = {
    0x76FAC807, 0x0C89, 0x465D, {0x9F, 0xAF, 0x49, 0xB1, 0x2D, 0x96, 0x41, 0x18}};
const Guid kGuiHost = {
    0x174F9DDC, 0x1850, 0x40DB, {0xBA, 0xF0, 0xE0, 0xB4, 0x1D, 0x07, 0x96, 0x45}};
const Guid kWindowsGuiHost = {
    0xE52FAA41, 0x42C3, 0x40A6, {0xA1, 0x1A, 0xE6, 0x9D, 0xB3, 0x35, 0xCE, 0x50}};
const Guid kExtendedHost = {
    0xB1EFF8C9, 0x9ADC, 0x450B, {0xBC, 0xD6, 0xD3, 0x59, 0xCF, 0xDC, 0x82, 0x75}};

// Slot tables, in slot order.
struct Unknown {
    virtual int32_t queryInterface(const Guid& iid, void** out) = 0; // 0
    virtual int32_t addRef() = 0;                                    // 1
    virtual int32_t release() = 0;                                   // 2
};
struct Factory : Unknown {
    virtual int32_t createInstanceWithHost(const char16_t* id, int32_t kind, Unknown* host,
                                           void** out) = 0; // 3
    virtual int32_t getBuildInformation(int32_t* version, int32_t capacity,
                                        char16_t* buffer) = 0;                        // 4
    virtual int32_t createInstance(const char16_t* id, int32_t kind, void** out) = 0; // 5
};
struct UserInterface : Unknown {
    virtual int32_t op3() = 0;                                                             // 3
    virtual int32_t setPin(int32_t id, int32_t voice, int32_t size, const void* data) = 0; // 4
    virtual int32_t notifyPin(int32_t id, int32_t voice) = 0;                              // 5
};
struct Size {
    int32_t width, height;
};
struct Graphics : Unknown {
    virtual int32_t measureSize(int32_t width, int32_t height, Size* out) = 0; // 3
};

} // namespace table_host

namespace {
using namespace table_host;

// A host that answers the host identifiers it is given.
struct TestHost : Unknown {
    bool offerGui = true, offerWindows = true, offerExtended = true;
    int32_t queryInterface(const Guid& iid, void** out) override {
        *out = nullptr;
        if ((sameGuid(iid, kGuiHost) && offerGui) ||
            (sameGuid(iid, kWindowsGuiHost) && offerWindows) ||
            (sameGuid(iid, kExtendedHost) && offerExtended)) {
            *out = this;
            return 0;
        }
        return -2;
    }
    int32_t addRef() override { return 1; }
    int32_t release() override { return 1; }
    virtual int32_t receivePinValue(int32_t, int32_t, const void*, int32_t) { return 0; } // 3
};

class TableHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = dlopen((std::string(QX_OUT_DIR) + "/QX_GUI.sem").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        getFactory = reinterpret_cast<int32_t (*)(void**)>(dlsym(library, "MP_GetFactory"));
        ASSERT_NE(getFactory, nullptr);
    }
    static void TearDownTestSuite() {
        if (library) dlclose(library);
        library = nullptr;
    }
    Factory* factory() {
        void* out = nullptr;
        EXPECT_EQ(getFactory(&out), 0);
        return static_cast<Factory*>(out);
    }
    // A new object created with a full host; its count is 1.
    UserInterface* createWithHost() {
        void* out = nullptr;
        EXPECT_EQ(factory()->createInstanceWithHost(u"MY_QX_GUI", 1, &host, &out), 0);
        return static_cast<UserInterface*>(out);
    }

    static void* library;
    static int32_t (*getFactory)(void**);
    TestHost host;
};
void* TableHost::library = nullptr;
int32_t (*TableHost::getFactory)(void**) = nullptr;

TEST_F(TableHost, FactoryIsOneObjectWhoseCountsAlwaysAnswerOne) {
    Factory* first = factory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(factory(), first);
    EXPECT_EQ(first->addRef(), 1);
    EXPECT_EQ(first->addRef(), 1);
    EXPECT_EQ(first->release(), 1);
    EXPECT_EQ(first->release(), 1);
    EXPECT_EQ(first->release(), 1);
}

TEST_F(TableHost, FactoryAnswersItsIdentifiersOnly) {
    for (const Guid* iid : {&kUnknown, &kFactoryA, &kFactoryB}) {
        void* out = nullptr;
        EXPECT_EQ(factory()->queryInterface(*iid, &out), 0);
        EXPECT_EQ(out, factory());
    }
    void* out = this;
    EXPECT_EQ(factory()->queryInterface(kUserInterface, &out), -2);
    EXPECT_EQ(out, nullptr);
}

TEST_F(TableHost, UnknownKindOrIdentifierIsRefusedWithNullObject) {
    struct Case {
        const char16_t* id;
        int32_t kind;
    } cases[] = {{u"MY_QX_GUI", 0},
                 {u"MY_QX_GUI", 2},
                 {u"my_qx_gui", 1},
                 {u"MY_QX_GU", 1},
                 {u"MY_QX_GUI ", 1}};
    for (const Case& c : cases) {
        void* out = this;
        EXPECT_EQ(factory()->createInstance(c.id, c.kind, &out), -2);
        EXPECT_EQ(out, nullptr);
        out = this;
        EXPECT_EQ(factory()->createInstanceWithHost(c.id, c.kind, &host, &out), -2);
        EXPECT_EQ(out, nullptr);
    }
}

TEST_F(TableHost, CreateInstanceWithoutHostGivesAnObjectOfCountOne) {
    void* out = nullptr;
    ASSERT_EQ(factory()->createInstance(u"MY_QX_GUI", 1, &out), 0);
    auto* object = static_cast<UserInterface*>(out);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->release(), 0);
}

TEST_F(TableHost, HostLackingAnyOneInterfaceIsRefusedButTheObjectIsHandedOut) {
    for (int missing = 0; missing < 3; ++missing) {
        TestHost partial;
        partial.offerGui = missing != 0;
        partial.offerWindows = missing != 1;
        partial.offerExtended = missing != 2;
        void* out = nullptr;
        EXPECT_EQ(factory()->createInstanceWithHost(u"MY_QX_GUI", 1, &partial, &out), -1)
            << "missing host interface " << missing;
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(static_cast<UserInterface*>(out)->release(), 0);
    }
}

TEST_F(TableHost, FullHostIsAccepted) {
    UserInterface* object = createWithHost();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->release(), 0);
}

TEST_F(TableHost, BuildInformationIsVersionAndCompilerText) {
    int32_t version = 0;
    char16_t buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(factory()->getBuildInformation(&version, 64, buffer), 0);
    EXPECT_EQ(version, 30800);
    EXPECT_EQ(std::u16string(buffer), u"MS Compiler V1929 (Release)");
    EXPECT_EQ(std::u16string(buffer).size(), 27u);
}

TEST_F(TableHost, ObjectAnswersItsInterfacesAndCountsThemTogether) {
    UserInterface* object = createWithHost();
    ASSERT_NE(object, nullptr);
    void* same = nullptr;
    EXPECT_EQ(object->queryInterface(kUserInterface, &same), 0); // count 2
    EXPECT_EQ(same, object);
    EXPECT_EQ(object->queryInterface(kUnknown, &same), 0); // count 3
    EXPECT_EQ(same, object);
    void* legacy = nullptr;
    EXPECT_EQ(object->queryInterface(kLegacyInit, &legacy), 0); // count 4
    EXPECT_NE(legacy, nullptr);
    void* graphicsOut = nullptr;
    EXPECT_EQ(object->queryInterface(kGraphics, &graphicsOut), 0); // count 5
    auto* graphics = static_cast<Graphics*>(graphicsOut);
    ASSERT_NE(graphics, nullptr);
    EXPECT_NE(graphicsOut, static_cast<void*>(object));

    void* none = this;
    EXPECT_EQ(object->queryInterface(kGuiHost, &none), -2);
    EXPECT_EQ(none, nullptr);

    EXPECT_EQ(graphics->addRef(), 6);
    EXPECT_EQ(graphics->release(), 5);
    EXPECT_EQ(object->release(), 4);
    EXPECT_EQ(static_cast<Unknown*>(legacy)->release(), 3);
    EXPECT_EQ(graphics->release(), 2);
    EXPECT_EQ(object->release(), 1);
    EXPECT_EQ(graphics->release(), 0); // the last release through either part destroys it
}

TEST_F(TableHost, MeasureSizeClampsEachSideTo15To100) {
    UserInterface* object = createWithHost();
    void* out = nullptr;
    ASSERT_EQ(object->queryInterface(kGraphics, &out), 0);
    auto* graphics = static_cast<Graphics*>(out);
    struct Case {
        int32_t w, h, ew, eh;
    } cases[] = {{10, 500, 15, 100}, {15, 100, 15, 100}, {50, 14, 50, 15}, {-5, 101, 15, 100}};
    for (const Case& c : cases) {
        Size size{0, 0};
        EXPECT_EQ(graphics->measureSize(c.w, c.h, &size), 0);
        EXPECT_EQ(size.width, c.ew);
        EXPECT_EQ(size.height, c.eh);
    }
    graphics->release();
    EXPECT_EQ(object->release(), 0);
}

TEST_F(TableHost, PinsOutsideTheTableAnswerMinusOne) {
    UserInterface* object = createWithHost();
    const int32_t value = 1;
    for (int32_t id : {32, 46, 51, 53, 57, 64, 68, -1}) {
        EXPECT_EQ(object->setPin(id, 0, 4, &value), -1) << id;
        EXPECT_EQ(object->notifyPin(id, 0), -1) << id;
    }
    for (int32_t id : {0, 19, 33, 39, 67}) {
        EXPECT_EQ(object->setPin(id, 0, 4, &value), 0) << id;
        EXPECT_EQ(object->notifyPin(id, 0), 0) << id;
    }
    EXPECT_EQ(object->release(), 0);
}

} // namespace
