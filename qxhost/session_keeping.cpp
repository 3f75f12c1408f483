// The session kept across runs: the latest value of every state pin of every instance, written
// when a run ends and soon after each change, and handed back at the next start as a host
// hands a reopened project to its modules.
#include <cstdio>

#include "qxhost/host_session.h"
#include "qxhost/session_store.h"

namespace qxhost {
namespace {

// Far above what 256 instances hold, far below what would hurt to read.
constexpr size_t kMaxSessionFileBytes = size_t{256} << 20;

std::string instancesText(size_t n) {
    return std::to_string(n) + (n == 1 ? " instance" : " instances");
}

} // namespace

std::string HostSession::sessionPath() const {
    if (!options_.sessionPath.empty()) return options_.sessionPath;
    return options_.headless ? std::string() : defaultSessionPath();
}

bool HostSession::hasLoadAction() const {
    for (const HostAction& action : options_.actions)
        if (action.kind == HostAction::Kind::Load) return true;
    return false;
}

void HostSession::hostLine(const std::string& line) {
    std::fprintf(stderr, "qxhost: %s\n", line.c_str());
    console_.writeLine("qxhost: " + line);
}

void HostSession::handBack(size_t instance, const SessionInstance& values) {
    const int32_t previous = activeInstance_;
    activeInstance_ = static_cast<int32_t>(instance); // its console lines are its own
    for (int32_t pinId : sessionPins()) {
        for (const SessionPinValue& pin : values) {
            if (pin.pinId != pinId) continue;
            dsp_.takeRestored(static_cast<int32_t>(instance), pinId, pin.value);
            hosts_[instance]->deliverPin(pinId, pin.value);
            dsp_.deliverPending();
        }
    }
    activeInstance_ = previous;
}

void HostSession::keepNoSession(const std::string& line) {
    sessionWritable_ = false;
    hostLine(line + "; starting fresh, and this run keeps no session");
}

// Another user who could change the session would decide what every instance gets back (the
// patch path that SAVE writes to among it), so a session they can reach is not used at all.
bool HostSession::sessionPlaceIsPrivate(const std::string& path) {
    const std::string folder = folderOf(path);
    std::string why = whyPlaceNotPrivate(folder);
    if (!why.empty()) {
        keepNoSession("the session folder " + folder + " is not used: " + why);
        return false;
    }
    why = whyPlaceNotPrivate(path);
    if (!why.empty()) {
        keepNoSession("the session file " + path + " is not used: " + why);
        return false;
    }
    return true;
}

// One run holds a session at a time, so the desk of the run that holds it is the one kept; a
// second run on it starts fresh and writes none. A session that cannot be locked (a folder
// that cannot be written) is still read, and not written.
bool HostSession::holdSession(const std::string& path) {
    switch (sessionLock_.take(path)) {
    case SessionLock::Result::Held:
        return true;
    case SessionLock::Result::HeldElsewhere: {
        const pid_t holder = sessionLock_.holder();
        keepNoSession("the session " + path + " is held by another qxhost" +
                      (holder > 0 ? " (process " + std::to_string(holder) + ")" : ""));
        return false;
    }
    case SessionLock::Result::Failed:
        break;
    }
    sessionWritable_ = false;
    hostLine("the session " + path + " cannot be locked for this run: " + sessionLock_.error() +
             "; this run does not write it");
    return true;
}

bool HostSession::restoreSession() {
    const std::string path = sessionPath();
    if (path.empty()) return false;
    if (!sessionPlaceIsPrivate(path) || !holdSession(path)) return false;
    if (options_.fresh) {
        hostLine("--fresh: starting without the session in " + path);
        return false;
    }
    if (hasLoadAction()) return false;
    std::vector<uint8_t> bytes;
    std::string error;
    const FileRead read = readWholeFile(path, kMaxSessionFileBytes, bytes, error);
    if (read == FileRead::Missing) return false;
    SessionReadResult result;
    if (read == FileRead::Read)
        result = readSession(bytes.data(), bytes.size(), options_.instances);
    else
        result.message = error;
    if (result.status != SessionReadResult::Status::Ok) {
        std::string line =
            "the session file " + path + " cannot be used: " + result.message + "; starting fresh";
        const std::string aside = read == FileRead::Read ? setFileAside(path) : std::string();
        if (!aside.empty()) {
            line += " (the file is kept as " + aside + ")";
        } else {
            // Never replace a file that could not be kept.
            sessionWritable_ = false;
            line += " (the file stays where it is; this run does not write the session)";
        }
        hostLine(line);
        return false;
    }
    const size_t count = result.instances.size();
    for (size_t i = 0; i < count && i < hosts_.size(); ++i) handBack(i, result.instances[i]);
    if (count < hosts_.size())
        hostLine("session restored from " + path + ": " + instancesText(count) + " of the " +
                 std::to_string(hosts_.size()) + " asked for; the others start fresh");
    else
        hostLine("session restored from " + path + ": " + instancesText(count));
    return count > 0;
}

void HostSession::saveSession() {
    const std::string path = sessionPath();
    if (path.empty() || !sessionWritable_) return;
    std::vector<SessionInstance> instances;
    for (const auto& host : hosts_) {
        SessionInstance values;
        for (int32_t pinId : sessionPins())
            if (const std::vector<uint8_t>* value = host->pinValue(pinId))
                values.push_back({pinId, *value});
        instances.push_back(std::move(values));
    }
    // The folder is checked again: it may have been made, or opened to others, since the start.
    std::string error = whyPlaceNotPrivate(folderOf(path));
    if (!error.empty()) error = "the folder " + folderOf(path) + " is not used: " + error;
    if (error.empty() && writeSessionFile(path, writeSession(instances), error)) {
        sessionChanged_ = false;
        sessionError_.clear();
    } else if (error != sessionError_) { // told once, not at every retry
        sessionError_ = error;
        hostLine("the session could not be written: " + error);
    }
}

void HostSession::saveSessionIfChanged() {
    if (sessionChanged_) saveSession();
}

} // namespace qxhost
