# Which headers a target reaches. Every include line is written from the
# source root and names its library ("iface/protocol/frames.h",
# "platform/event_loop.h"). A library's own folder is reachable from the
# library itself and from its tests, benchmarks and fuzz targets; everyone
# else reaches only the library's include/ folder. Including another
# library's private header therefore does not compile.
include_guard(GLOBAL)

# kbx_own_headers(NAME FOLDER...): an interface target NAME through which the
# FOLDERs (paths from the source root) are reachable by those paths, and
# nothing else of the source tree: an include folder in the build tree that
# holds one link per FOLDER. The library links NAME privately, its tests
# link it too.
function(kbx_own_headers name)
  set(root ${CMAKE_BINARY_DIR}/own_headers/${name})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  add_library(${name} INTERFACE)
  target_include_directories(${name} INTERFACE ${root})
endfunction()
