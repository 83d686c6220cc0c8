# The dynamic interface of the system's shared libraries: which symbols each
# exports, under which version node, and the sonames by which programs and
# libraries load one another at run time.
include_guard(GLOBAL)

# The library's exports are those its version script names global, all in
# the version node of the script (LIBRARY_1); everything else is local. The
# script, NAME.map beside the library's CMakeLists.txt, relinks the library
# when it changes.
function(kbx_library_version_script target)
  set(script ${CMAKE_CURRENT_SOURCE_DIR}/${target}.map)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
  target_link_options(${target} PRIVATE -Wl,--version-script=${script})
endfunction()

# The libraries loaded at run time by name, and the header that gives each
# its soname (lib*.so.SOVERSION, from the library's SOVERSION): the name the
# run-time package provides, while the unversioned name belongs to the
# development files.
set(KBX_RUNTIME_LOADED_LIBRARIES kbxc32 kbxi32 kbxfunc kbxusb)
set(KBX_SONAMES_DIR ${CMAKE_BINARY_DIR}/generated)

function(kbx_generate_soname_header)
  set(lines "/* The sonames of the libraries that are loaded at run time. */\n#pragma once\n")
  foreach(library IN LISTS KBX_RUNTIME_LOADED_LIBRARIES)
    string(TOUPPER ${library} upper)
    string(APPEND lines "#define KBX_SONAME_${upper} \"$<TARGET_SONAME_FILE_NAME:${library}>\"\n")
  endforeach()
  file(GENERATE OUTPUT ${KBX_SONAMES_DIR}/kbx_sonames.h CONTENT "${lines}")
endfunction()
