#include "iface/library_binding.h"

#include "platform/dynamic_library.h"

namespace kbxi {
namespace {

class SharedLibrary : public LoadedLibrary {
public:
    explicit SharedLibrary(kbx::platform::DynamicLibrary library) : library_(std::move(library)) {}
    AnyFunction function(const char* name) override { return library_.symbol<AnyFunction>(name); }

private:
    kbx::platform::DynamicLibrary library_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> openSharedLibrary(const std::string& fileName) {
    kbx::platform::DynamicLibrary library(fileName);
    if (!library.isOpen()) return nullptr;
    return std::make_unique<SharedLibrary>(std::move(library));
}

}  // namespace kbxi
