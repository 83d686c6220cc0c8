#include "iface/function_library.h"

#include <chrono>
#include <string>

#include "iface/shared_timer.h"
#include "iface/state.h"
#include "platform/event_loop.h"
#include "platform/notifier.h"

namespace kbxi {
namespace {

using kbx::platform::AfterMissing;
using kbx::platform::Answer;
using kbx::platform::Buttons;

constexpr char kCannotLoad[] = "Unable to load KBXFUNC.DLL ";
constexpr char kCannotLoadTitle[] = "Error";
constexpr char kMissingFunction[] = "Unable to get function ";
constexpr char kMissingFunctionTitle[] = "   Error     ";
constexpr char kBindingFailed[] = "get_function_dll() failed ";
constexpr char kBindingFailedTitle[] = "Error";
constexpr int kLoadFailed = 16;
constexpr int kResolveFailed = 1;
constexpr int kOpenFailed = 1;


// The arguments of a capture: one reply's key codes, the reserved value 1,
// and a first wait of 300 x 10 ms.
constexpr int kCaptureReserved = 1;
constexpr int kCaptureTimeout = 300;
constexpr int kLanguage = 1;
// The wake-up of the capture wait.
constexpr unsigned kCaptureWakeUp = 500;
// The capture reports within its own time-outs (3 s, then 300 ms per key);
// a library that never reports does not hold the caller for ever.
constexpr std::chrono::milliseconds kCaptureGuard{60000};

// The six called entry points are all there.
bool calledEntriesFound(const PointOfSaleEntries& entry) {
    return entry.open && entry.setLanguage && entry.callbackDataCapture && entry.captureData &&
           entry.getDataCapture && entry.close;
}

}  // namespace

void KBX_CALL onCaptureReported(int count) {
    state().capture.done = true;
    state().capture.count = count;
}

FunctionLibrary::FunctionLibrary(CaptureReport& report, SharedTimer& timer, LibraryOpener opener,
                                 std::string fileName)
    : report_(report), timer_(timer), opener_(std::move(opener)), fileName_(std::move(fileName)) {}

void FunctionLibrary::setSource(LibraryOpener opener, std::string fileName) {
    opener_ = std::move(opener);
    fileName_ = std::move(fileName);
}

int FunctionLibrary::bind(bool serialSelected) {
    if (serialSelected || bound()) return 0;
    std::unique_ptr<LoadedLibrary> library = opener_(fileName_);
    if (!library) {
        kbx::platform::notify(kCannotLoad, kCannotLoadTitle, Buttons::ok);
        return kLoadFailed;
    }
    bool stopped = false;
    const auto resolved = kbx::platform::resolveEntries(
        *library, point_of_sale::kEntries, [&stopped](const kbx::platform::MissingEntry& missing) {
            // OK gives up; Cancel goes on with the next name.
            const Answer answer = kbx::platform::notify(std::string(kMissingFunction) + missing.name,
                                                        kMissingFunctionTitle, Buttons::okCancel);
            stopped = answer == Answer::ok;
            return stopped ? AfterMissing::stop : AfterMissing::goOn;
        });
    if (stopped || !calledEntriesFound(resolved.entries)) {
        kbx::platform::notify(kBindingFailed, kBindingFailedTitle, Buttons::ok);
        return kResolveFailed;
    }
    library_ = std::move(library);
    entry_ = resolved.entries;
    // A library that cannot open (its key event source is configured and
    // cannot be reached; it has told the user why) or that refuses the
    // capture callback would leave every capture without an answer: that is
    // a failed binding like any other.
    if (entry_.open() != 0) return failOpening(false);
    entry_.setLanguage(kLanguage);
    if (entry_.callbackDataCapture(onCaptureReported) != 0) return failOpening(true);
    return 0;
}

int FunctionLibrary::failOpening(bool opened) {
    if (opened) entry_.close();
    library_.reset();
    entry_ = {};
    kbx::platform::notify(kBindingFailed, kBindingFailedTitle, Buttons::ok);
    return kOpenFailed;
}

void FunctionLibrary::unbind(bool serialSelected) {
    if (serialSelected) return;
    if (bound()) entry_.close();
    timer_.stop();
    library_.reset();
    entry_ = {};
}

int FunctionLibrary::arm(int count) {
    report_ = {};
    if (!bound()) return 1;
    return entry_.captureData(count, kCaptureReserved, kCaptureTimeout);
}

int FunctionLibrary::await() {
    timer_.restart(kCaptureWakeUp, uploadTimerProc);
    const bool reported = kbx::platform::runUntil([this] { return report_.done; }, kCaptureGuard);
    return reported ? report_.count : 0;
}

std::span<const std::uint8_t> FunctionLibrary::codes(std::size_t count) {
    if (!bound()) return {};
    const unsigned char* captured = entry_.getDataCapture();
    if (captured == nullptr) return {};
    return {captured, count};
}

void FunctionLibrary::finish() { timer_.stop(); }

}  // namespace kbxi
