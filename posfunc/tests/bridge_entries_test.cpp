// The library as the interface library binds it. Apart from exports_test:
// the interface library's entries come with kbxi32.h, which a translation
// unit cannot include beside kbxfunc.h.
#include <gtest/gtest.h>

#include "iface/point_of_sale_entries.h"
#include "platform/dynamic_library.h"
#include "platform/library_entries.h"

namespace {

constexpr char kLibrary[] = KBX_LIBRARY_DIR "/libkbxfunc.so";

TEST(Exports, EveryNameTheInterfaceLibraryBindsIsExported) {
    kbx::platform::DynamicLibrary library(kLibrary);
    ASSERT_TRUE(library.isOpen()) << library.error();
    const auto resolved = kbx::platform::resolveAllEntries(library, kbxi::point_of_sale::kEntries);
    EXPECT_FALSE(resolved.firstMissing) << resolved.firstMissing->name;
    EXPECT_NE(resolved.entries.captureData, nullptr);
}

}  // namespace
