#include "tools/kbx32/interface_library.h"

namespace kbx32 {

InterfaceLibrary::InterfaceLibrary(const std::string& fileName) : library_(fileName) {
    download_ = library_.symbol<Download>("kbx_download");
    upload_ = library_.symbol<Upload>("kbx_upload");
    header_ = library_.symbol<Header>("get_kbx_header");
}

}  // namespace kbx32
