// Hooks through which the host application and the tests steer the platform layer: the clock,
// local time, dialog answers, message boxes and the debug output.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace qxplatform {

enum class WriteStep;

// Clock: once set by hand, processClock() returns the set value until it is set again or the
// manual clock is released.
void setManualClock(int32_t milliseconds);
void advanceManualClock(int32_t milliseconds);
void releaseManualClock();

// Local time: once set, localTimeNow() returns this time until released.
void setManualLocalTime(const std::tm& time);
void releaseManualLocalTime();

// Common dialogs take their answers from these queues, first in first out; a dialog with an
// empty queue is cancelled. Paths are host paths or module paths; the module receives the
// module form.
enum class DialogKind { Open, Save, Colour };
void queueDialogAnswer(DialogKind kind, const std::string& answer);
void clearDialogAnswers();

// Message boxes shown so far (newest last; the layer keeps the last 32).
struct MessageBoxRecord {
    std::string caption;
    std::string text;
    unsigned type = 0; // the MB_ flags the box was shown with
};
std::vector<MessageBoxRecord> recentMessageBoxes();
void clearMessageBoxes();
// While quiet, message boxes are recorded but not printed, and a yes/no box without a queued
// answer is not shown (it returns 0).
void setMessageBoxesQuiet(bool quiet);
// Yes/no boxes (MB_YESNO) take their answers from this queue first, first in first out: IDYES
// or IDNO. Other boxes leave the queue alone.
void queueMessageBoxAnswer(int answer);
void clearMessageBoxAnswers();

// Receiver of OutputDebugStringA; none set: the text is dropped.
void setDebugOutputSink(std::function<void(const std::string&)> sink);

// Shell opens: while recorded, ShellExecuteW starts nothing and keeps the argument vector it
// would have run (newest last).
void setShellOpensRecorded(bool recorded);
std::vector<std::vector<std::string>> recordedShellOpens();
void clearRecordedShellOpens();

// File writer (qxplatform/file_writer.h): the step fails with the error as if its system call had
// failed (the call is not made); WriteStep::NoFailure ends that. The recorder sees each step as it
// starts, in order.
void setFileWriteFault(WriteStep step, int error);
void setFileWriteStepRecorder(std::function<void(WriteStep)> recorder);

} // namespace qxplatform

// ---- Windows, input and pictures ---------------------------------------------------------
#include "qxplatform/win32.h"
namespace qxplatform {

// True when an X display is open (windows are X windows and GL works).
bool hasDisplay();
// The X window id behind a handle (0 when headless).
unsigned long xWindowHandle(HWND window);
// The resource number of the cursor last set (IDC_ARROW is 32512).
int currentCursorId();
// Key table seams: a key held or released as if the pump had seen it; Caps Lock's toggle.
void setKeyDown(int virtualKey, bool down);
void setCapsLock(bool on);
void releaseAllKeys();
// Reads X input into the queue without dispatching anything.
void pumpPendingEvents();
// Number of running window timers.
int activeTimerCount();
// The pixels of a window (children included) as shown on the screen, RGB rows top-down.
bool captureWindowImage(HWND window, std::vector<uint8_t>& rgb, int& width, int& height);

// Displays: once set, EnumDisplayMonitors reports these rectangles in this order instead of
// the X screens (an empty list reports no monitor at all).
void setDisplayList(const std::vector<RECT>& rectangles);
void clearDisplayList();

} // namespace qxplatform
