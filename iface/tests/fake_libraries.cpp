#include "iface/tests/fake_libraries.h"

#include <algorithm>
#include <map>

#include "iface/point_of_sale_entries.h"
#include "iface/protocol/frames.h"
#include "platform/event_loop.h"

namespace kbxi::test {
namespace {

class FakeLibrary : public LoadedLibrary {
public:
    FakeLibrary(std::map<std::string, AnyFunction> functions, int& unloads)
        : functions_(std::move(functions)), unloads_(unloads) {}
    ~FakeLibrary() override { ++unloads_; }
    AnyFunction function(const char* name) override {
        const auto found = functions_.find(name);
        return found == functions_.end() ? nullptr : found->second;
    }

private:
    std::map<std::string, AnyFunction> functions_;
    int& unloads_;
};

void unused() {}

template <typename Function>
AnyFunction asAny(Function function) {
    return reinterpret_cast<AnyFunction>(function);
}

// The point-of-sale library's six entry points the bridge calls.
int posOpen() { return ++fakePointOfSale().opens, fakePointOfSale().openResult; }
int posClose() { return ++fakePointOfSale().closes, 0; }
int posSetLanguage(int language) { return fakePointOfSale().language = language, 0; }
int posCallbackDataCapture(FunctionLibrary::CaptureCallback callback) {
    // A refused callback is not stored, as the library does while not open.
    if (fakePointOfSale().callbackResult != 0) return fakePointOfSale().callbackResult;
    fakePointOfSale().callback = callback;
    return 0;
}
int posCaptureData(int count, int reserved, int timeout) {
    FakePointOfSale& fake = fakePointOfSale();
    fake.captures.push_back({count, reserved, timeout});
    if (fake.captureResult != 0) return fake.captureResult;
    // The keys arrive later, while the caller waits.
    kbx::platform::postEvent([] {
        FakePointOfSale& typed = fakePointOfSale();
        FakePointOfSale::Typing typing{{}, 0};
        if (!typed.typing.empty()) {
            typing = typed.typing.front();
            typed.typing.pop_front();
        }
        std::fill(typed.buffer.begin(), typed.buffer.end(), 0);
        std::copy_n(typing.codes.begin(), std::min(typing.codes.size(), typed.buffer.size()), typed.buffer.begin());
        if (typed.callback) typed.callback(typing.reported);
    });
    return 0;
}
unsigned char* posGetDataCapture() { return fakePointOfSale().buffer.data(); }

int usbSend(int byte) {
    fakeUsb().sent.push_back(std::uint8_t(byte));
    return fakeUsb().sendResult;
}
int usbCheck() { return ++fakeUsb().checks, fakeUsb().checkResult; }
void usbClose() { ++fakeUsb().closes; }

std::map<std::string, AnyFunction> without(std::map<std::string, AnyFunction> functions,
                                           const std::set<std::string>& missing) {
    for (const std::string& name : missing) functions.erase(name);
    return functions;
}

}  // namespace

FakePointOfSale& fakePointOfSale() {
    static FakePointOfSale fake;
    return fake;
}

LibraryOpener makeFakePointOfSale(std::set<std::string> missing) {
    fakePointOfSale() = FakePointOfSale();
    std::map<std::string, AnyFunction> functions;
    for (const auto& row : point_of_sale::kEntries) functions[row.name] = unused;
    functions["kbx_open"] = asAny(posOpen);
    functions["kbx_close"] = asAny(posClose);
    functions["kbx_set_language"] = asAny(posSetLanguage);
    functions["kbx_callback_data_capture"] = asAny(posCallbackDataCapture);
    functions["kbx_capture_data"] = asAny(posCaptureData);
    functions["kbx_get_data_capture"] = asAny(posGetDataCapture);
    functions = without(std::move(functions), missing);
    return [functions](const std::string&) -> std::unique_ptr<LoadedLibrary> {
        ++fakePointOfSale().loads;
        return std::make_unique<FakeLibrary>(functions, fakePointOfSale().unloads);
    };
}

Bytes typedCodes(std::string_view text) {
    // The inverse of the reply key table, by trying every code.
    Bytes codes;
    for (char c : text) {
        for (int code = 1; code < 0x80; ++code) {
            if (replyCharacter(std::uint8_t(code)) == c) {
                codes.push_back(std::uint8_t(code));
                break;
            }
        }
    }
    return codes;
}

FakeUsb& fakeUsb() {
    static FakeUsb fake;
    return fake;
}

LibraryOpener makeFakeUsb(std::set<std::string> missing) {
    fakeUsb() = FakeUsb();
    const std::map<std::string, AnyFunction> functions = without(
        {{"snddata_USB", asAny(usbSend)},
         {"Check_USB", asAny(usbCheck)},
         {"Close_USB", asAny(usbClose)}},
        missing);
    return [functions](const std::string&) -> std::unique_ptr<LoadedLibrary> {
        ++fakeUsb().loads;
        return std::make_unique<FakeLibrary>(functions, fakeUsb().unloads);
    };
}

LibraryOpener missingLibrary() {
    return [](const std::string&) -> std::unique_ptr<LoadedLibrary> { return nullptr; };
}

kbx::platform::Answer RecordingNotifier::show(std::string_view text, std::string_view title,
                                              kbx::platform::Buttons buttons) {
    boxes.push_back({std::string(text), std::string(title), buttons});
    if (answers.empty()) return kbx::platform::Answer::ok;
    const kbx::platform::Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace kbxi::test
