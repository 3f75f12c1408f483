#include "qxhost/host_session.h"

#include <unistd.h>

#include <climits>

#include "dsp_link/host_lines_pin.h"
#include "qxhost/module_folder.h"
#include "qxhost/script_record.h"
#include "qxhost/stop_signals.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

namespace qxhost {
namespace {

// Marks the instance the host calls into, so that its console lines are attributed to it.
class CallingInto {
public:
    CallingInto(int32_t& active, int32_t instance) : active_(active), previous_(active) {
        active_ = instance;
    }
    ~CallingInto() { active_ = previous_; }

private:
    int32_t& active_;
    int32_t previous_;
};

} // namespace

std::string defaultModulePath() {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "QX_GUI.sem";
    self[n] = 0;
    std::string path = self;
    size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "QX_GUI.sem";
}

HostSession::HostSession(const HostOptions& options)
    : options_(options),
      dsp_([this](int32_t instance, int32_t pinId, const std::vector<uint8_t>& value) {
          if (instance < 0 || static_cast<size_t>(instance) >= hosts_.size()) return;
          CallingInto calling(activeInstance_, instance);
          hosts_[instance]->deliverPin(pinId, value);
      }) {
    qxplatform::setDebugOutputSink([this](const std::string& line) { consoleLine(line); });
}

HostSession::~HostSession() {
    releaseAll();
    qxplatform::setDebugOutputSink(nullptr);
}

bool HostSession::openOutputFiles() {
    if (!options_.tracePinsPath.empty() && !trace_.open(options_.tracePinsPath)) {
        error_ = "cannot write the pin trace \"" + options_.tracePinsPath + "\"";
        return false;
    }
    if (!options_.consolePath.empty() && !console_.open(options_.consolePath)) {
        error_ = "cannot write the console file \"" + options_.consolePath + "\"";
        return false;
    }
    return true;
}

// A windowed run without --module is a person's: it runs the module laid out in the user's own
// folder. --module, a headless run and QXHOST_BUILD_FOLDER=1 run the module where it lies.
std::string HostSession::modulePathForRun() {
    if (!options_.modulePath.empty()) return options_.modulePath;
    const std::string beside = defaultModulePath();
    if (options_.headless || buildFolderAsked()) return beside;
    const std::string buildFolder = beside.substr(0, beside.rfind('/') + 1);
    const std::string folder = userModuleFolder();
    std::string error = "neither XDG_DATA_HOME nor HOME is set";
    if (!folder.empty() && layOutModuleFolder(buildFolder, folder, error))
        return folder + "/QX_GUI.sem";
    hostLine(error + "; the module runs on the files beside qxhost in " + buildFolder);
    return beside;
}

bool HostSession::loadModule() {
    const std::string path = modulePathForRun();
    if (!module_.open(path)) {
        error_ = "cannot load the module: " + module_.error();
        return false;
    }
    void* unknown = nullptr;
    if (module_.getFactory()(&unknown) != gmpi::MP_OK || !unknown) {
        error_ = "MP_GetFactory of " + path + " handed out no factory";
        return false;
    }
    void* factory = nullptr;
    static_cast<gmpi::IMpUnknown*>(unknown)->queryInterface(gmpi::MP_IID_FACTORY2, &factory);
    static_cast<gmpi::IMpUnknown*>(unknown)->release();
    if (!factory) {
        error_ = path + " has no class factory";
        return false;
    }
    factory_ = static_cast<gmpi::IMpFactory2*>(factory);
    return true;
}

bool HostSession::createInstances() {
    for (int32_t i = 0; i < options_.instances; ++i) {
        hosts_.push_back(std::make_unique<HostObject>(i, *this));
        CallingInto calling(activeInstance_, i);
        int32_t result = hosts_.back()->createInstance(factory_);
        if (result != gmpi::MP_OK) {
            error_ = "creating instance " + std::to_string(i) + " of MY_QX_GUI failed (" +
                     std::to_string(result) + ")";
            return false;
        }
        // Headless instances have no window; they still learn the editor's size.
        void* graphics = nullptr;
        hosts_.back()->instance()->queryInterface(gmpi::MP_IID_GRAPHICS_WIN_GDI, &graphics);
        if (graphics) {
            auto* gdi = static_cast<IMpGraphicsWinGdi*>(graphics);
            gdi->setBounds(0, options_.height, 0, options_.width);
            gdi->release();
        }
        // The DSP side gives the instance its local id before its editor opens.
        dsp_.instanceCreated(i);
        dsp_.deliverPending();
    }
    return true;
}

bool HostSession::sendScriptLine(const std::string& line) {
    std::vector<uint8_t> record;
    if (!buildScriptRecord(0, {line}, record)) {
        error_ = "\"" + line + "\" does not fit a script line (at most 15 characters)";
        return false;
    }
    for (auto& host : hosts_) {
        CallingInto calling(activeInstance_, host->instanceNumber());
        host->deliverPin(3, record);
    }
    dsp_.deliverPending();
    return true;
}

void HostSession::showInConsoles(const std::string& line) {
    const std::u16string text = qxplatform::widen(line);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const std::vector<uint8_t> value(bytes, bytes + text.size() * sizeof(char16_t));
    for (auto& host : hosts_) {
        if (!host->instance()) continue;
        CallingInto calling(activeInstance_, host->instanceNumber());
        host->deliverPin(kHostLinesPin, value);
    }
}

bool HostSession::runAction(const HostAction& action) {
    if (action.kind == HostAction::Kind::Send) return sendScriptLine(action.argument);
    // The file answers the dialog that the verb opens; an answer the verb did not take is
    // dropped so that it cannot answer a later, unrelated dialog.
    const bool load = action.kind == HostAction::Kind::Load;
    qxplatform::queueDialogAnswer(
        load ? qxplatform::DialogKind::Open : qxplatform::DialogKind::Save, action.argument);
    bool sent = sendScriptLine(load ? "LOAD_MACRO_FILE" : "SAVE_PATCH");
    qxplatform::clearDialogAnswers();
    return sent;
}

bool HostSession::releaseAll() {
    bool allDestroyed = true;
    for (auto& host : hosts_) {
        CallingInto calling(activeInstance_, host->instanceNumber());
        if (host->instance() && host->releaseInstance() != 0) allDestroyed = false;
    }
    hosts_.clear();
    if (factory_) factory_->release();
    factory_ = nullptr;
    return allDestroyed;
}

int HostSession::runHeadless() {
    installStopSignals();
    if (!openOutputFiles() || !loadModule() || !createInstances()) return 1;
    restoreSession();
    size_t actionsRun = 0;
    for (const HostAction& action : options_.actions) {
        if (stopRequested()) break;
        if (!runAction(action)) return 1;
        ++actionsRun;
    }
    // One round of meters and status from the DSP side's model.
    dsp_.feedMetersNow(qxplatform::processClock());
    if (stopRequested()) hostLine(stopText());
    saveSession();
    if (!releaseAll()) {
        error_ = "an instance outlived its last release";
        return 1;
    }
    // A script that was stopped before its last action (a --save, say) did not do its work.
    if (actionsRun < options_.actions.size()) {
        error_ = "stopped before its actions ended: " +
                 std::to_string(options_.actions.size() - actionsRun) + " of them not run";
        return 1;
    }
    return 0;
}

void HostSession::pinFromModule(int32_t instance, int32_t pinId, int32_t size, const void* data) {
    trace_.writeLine(formatPinTraceLine(instance, PinDirection::Out, pinId, size, data));
    if (isSessionPin(pinId)) sessionChanged_ = true;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    dsp_.pinFromModule(instance, pinId,
                       std::vector<uint8_t>(bytes, bytes + (bytes && size > 0 ? size : 0)));
}

void HostSession::pinToModule(int32_t instance, int32_t pinId, int32_t size, const void* data) {
    trace_.writeLine(formatPinTraceLine(instance, PinDirection::In, pinId, size, data));
}

void HostSession::consoleLine(const std::string& line) {
    console_.writeLine(std::to_string(activeInstance_) + " " + line);
}

} // namespace qxhost
