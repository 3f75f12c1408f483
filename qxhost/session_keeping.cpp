// The session kept across runs: the latest value of every state pin of every instance, written
// when a run ends and soon after each change, and handed back at the next start as a host
// hands a reopened project to its modules.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "qxhost/host_session.h"
#include "qxhost/session_store.h"

namespace qxhost {
namespace {

// Far above what 256 instances hold, far below what would hurt to read.
constexpr size_t kMaxSessionFileBytes = size_t{256} << 20;
// The previous desks kept beside the session; an older one goes when a newer is kept.
constexpr size_t kPreviousDesksKept = 5;

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
    showInConsoles("qxhost: " + line);
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
    std::string why = whyFolderNotPrivate(folder);
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

// A file that cannot be used is kept aside under a name that says why, never replaced.
void HostSession::setUnusableSessionAside(const std::string& path, const SessionReadResult& result,
                                          bool wasRead) {
    const bool newer = result.status == SessionReadResult::Status::OtherVersion &&
                       result.version > kSessionFormatVersion;
    std::string line =
        "the session file " + path + " cannot be used: " + result.message + "; starting fresh";
    const std::string aside =
        wasRead ? setFileAside(path, newer ? "newer-format" : "damaged", Aside::Move)
                : std::string();
    if (!aside.empty()) {
        line += " (the file is kept as " + aside + ")";
    } else {
        sessionWritable_ = false;
        line += " (the file stays where it is; this run does not write the session)";
    }
    hostLine(line);
    warnOnTheDesktop(line);
}

// Each instance asked for takes its values; the instances of the file beyond those are carried
// to every write of this run, so a later run with as many instances gets them back.
bool HostSession::handBackSession(const std::string& path,
                                  const std::vector<SessionInstance>& instances) {
    const size_t count = instances.size();
    const size_t asked = hosts_.size();
    for (size_t i = 0; i < count && i < asked; ++i) handBack(i, instances[i]);
    if (count > asked) {
        carriedInstances_.assign(instances.begin() + static_cast<std::ptrdiff_t>(asked),
                                 instances.end());
        hostLine("session restored from " + path + ": " + instancesText(asked) + " of the " +
                 std::to_string(count) + " it holds; the other " + std::to_string(count - asked) +
                 " stay in it for a run with --instances " + std::to_string(count));
    } else if (count < asked) {
        hostLine("session restored from " + path + ": " + instancesText(count) + " of the " +
                 std::to_string(asked) + " asked for; the others start fresh");
    } else {
        hostLine("session restored from " + path + ": " + instancesText(count));
    }
    return count > 0;
}

bool HostSession::restoreSession() {
    const std::string path = sessionPath();
    if (path.empty()) {
        if (!options_.headless)
            hostLine("neither XDG_STATE_HOME nor HOME names a folder, so no session is kept");
        return false;
    }
    if (!sessionPlaceIsPrivate(path) || !holdSession(path)) return false;
    if (options_.fresh || hasLoadAction()) {
        // The desk this run does not restore is kept aside before the run first writes.
        previousDeskToKeep_ = true;
        if (options_.fresh) hostLine("--fresh: starting without the session in " + path);
        return false;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    const FileRead read = readWholeFile(path, kMaxSessionFileBytes, bytes, error);
    if (read == FileRead::Missing) return false;
    SessionReadResult result;
    if (read == FileRead::Read)
        result = readSession(bytes.data(), bytes.size(), kSessionMaxInstances);
    else
        result.message = error;
    if (result.status != SessionReadResult::Status::Ok) {
        setUnusableSessionAside(path, result, read == FileRead::Read);
        return false;
    }
    return handBackSession(path, result.instances);
}

// Before a run first writes over a session it did not restore, the old desk is kept beside it
// (the newest few such copies); when it cannot be kept, the run writes no session.
bool HostSession::keepPreviousDesk(const std::string& path) {
    if (!previousDeskToKeep_) return true;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        previousDeskToKeep_ = false; // nothing there to keep
        return true;
    }
    const std::string aside = setFileAside(path, "previous", Aside::KeepCopy);
    if (aside.empty()) {
        sessionWritable_ = false;
        hostLine("the previous desk in " + path + " cannot be kept aside (" + std::strerror(errno) +
                 "), so this run does not write the session");
        return false;
    }
    previousDeskToKeep_ = false;
    hostLine("the previous desk in " + path + " is kept as " + aside);
    removeOldestAside(path, "previous", kPreviousDesksKept);
    return true;
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
    instances.insert(instances.end(), carriedInstances_.begin(), carriedInstances_.end());
    // The folder is checked again: it may have been made, or opened to others, since the start.
    std::string error = whyFolderNotPrivate(folderOf(path));
    if (!error.empty()) error = "the folder " + folderOf(path) + " is not used: " + error;
    if (error.empty() && !keepPreviousDesk(path)) return;
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
