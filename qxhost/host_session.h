// One run of qxhost: load the module, create the instances with their hosts, run the actions of
// the command line, release everything; with the pin trace and the console files.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qxhost/command_line.h"
#include "qxhost/dsp_side.h"
#include "qxhost/host_object.h"
#include "qxhost/module_library.h"
#include "qxhost/pin_trace.h"
#include "qxhost/session_file.h"
#include "qxhost/session_lock.h"
#include "qxplatform/win32.h"

namespace qxhost {

class HostSession : public PinListener {
public:
    explicit HostSession(const HostOptions& options);
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;
    ~HostSession();

    // A headless run from start to end; the process exit code (0 success).
    int runHeadless();
    // A windowed run: a parent window per instance, the message loop until the frames are
    // drawn, the time is up or the windows close, then the screenshot and the release.
    int runWindowed();

    // The steps of a run; each returns false with error() set.
    bool openOutputFiles();
    bool loadModule();
    bool createInstances();
    bool runAction(const HostAction& action);
    // Releases every instance (in creation order) and the factory; true when each instance
    // was destroyed by its last release.
    bool releaseAll();

    // The session (session_keeping.cpp). The file this run keeps, empty when none.
    std::string sessionPath() const;
    // At a start without --load or --fresh: reads the session file and hands each instance its
    // values as a reopened project; a file that cannot be used is set aside. True when any
    // instance took values.
    bool restoreSession();
    // Writes the latest state pin values of every instance, whole or not at all.
    void saveSession();
    // Writes the session again when a state pin changed since the last write (the timer).
    void saveSessionIfChanged();

    const std::string& error() const { return error_; }
    DspSide& dsp() { return dsp_; }
    HostObject& host(size_t instance) { return *hosts_[instance]; }
    size_t instanceCount() const { return hosts_.size(); }

    void pinFromModule(int32_t instance, int32_t pinId, int32_t size, const void* data) override;
    void pinToModule(int32_t instance, int32_t pinId, int32_t size, const void* data) override;

private:
    // Console lines reach the host through the debug output of the platform layer; they belong
    // to the instance the host is calling into at that moment.
    void consoleLine(const std::string& line);
    // A line of qxhost's own: standard error, the console file when there is one, and the
    // console of every instance.
    void hostLine(const std::string& line);
    // Hands the line to every instance's console (the host-lines pin).
    void showInConsoles(const std::string& line);
    // A warning a person must not miss: a message box at the desktop of a windowed run, shown
    // once the actions are done.
    void warnOnTheDesktop(const std::string& text);
    void showDesktopWarning();
    bool hasLoadAction() const;
    // The session is neither read nor written in this run: the line says why, and so.
    void keepNoSession(const std::string& line);
    // False, having said so, when another user owns the session's folder or file or can
    // write either.
    bool sessionPlaceIsPrivate(const std::string& path);
    // Takes the session's lock; false, having said so, when another run holds it.
    bool holdSession(const std::string& path);
    // The module this run loads, with its folder laid out for a person's run.
    std::string modulePathForRun();
    void handBack(size_t instance, const SessionInstance& values);
    bool handBackSession(const std::string& path, const std::vector<SessionInstance>& instances);
    void setUnusableSessionAside(const std::string& path, const SessionReadResult& result,
                                 bool wasRead);
    bool keepPreviousDesk(const std::string& path);
    // Hands a script of one line, addressed to local id 0, to pin 3 of every instance, as the
    // DSP side routes scripts.
    bool sendScriptLine(const std::string& line);

    bool openWindows();
    void closeWindows();
    // The DSP side runs beside the interface, as a real engine would: a timer of the host's own
    // feeds it, so that it keeps running inside the modal loop of an open dialog too.
    static void dspTick(HWND window, UINT message, UINT_PTR id, DWORD time);
    static void sessionTick(HWND window, UINT message, UINT_PTR id, DWORD time);
    void startTimers();
    void stopTimers();
    // A stop signal came or the time limit (--exit-after) is reached.
    bool runIsOver() const;
    bool writeScreenshot();

    HostOptions options_;
    std::vector<HWND> parents_;
    std::vector<HWND> children_;
    std::string error_;
    ModuleLibrary module_;
    gmpi::IMpFactory2* factory_ = nullptr;
    std::vector<std::unique_ptr<HostObject>> hosts_;
    int32_t activeInstance_ = 0;
    LineFile trace_;
    LineFile console_;
    DspSide dsp_;
    std::chrono::steady_clock::time_point runStart_; // the windowed run's time limit counts from it
    bool sessionChanged_ = false;     // a state pin changed since the session was last written
    bool sessionWritable_ = true;     // false when the file there is not to be replaced or reached
    std::string sessionError_;        // the last write's failure, told once
    SessionLock sessionLock_;         // held from the restore to the run's end
    bool previousDeskToKeep_ = false; // the session there was not restored: keep it aside
    // The file's instances beyond those asked for, written back as they were.
    std::vector<SessionInstance> carriedInstances_;
    std::string desktopWarning_; // the box to show once the actions are done
};

// QX_GUI.sem in the folder of the running program.
std::string defaultModulePath();

} // namespace qxhost
