# How a test program is put together: its sources come from test folders, and
# a folder that yields no source stops the configure, so that a moved or
# renamed folder cannot leave its tests silently unbuilt.
include_guard(GLOBAL)

# kbx_test_sources(VARIABLE FOLDER...): the .cpp files of the folders.
function(kbx_test_sources variable)
  set(sources)
  foreach(folder IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${folder}/*.cpp)
    if(NOT found)
      message(FATAL_ERROR "No test sources in ${folder}")
    endif()
    list(APPEND sources ${found})
  endforeach()
  set(${variable} ${sources} PARENT_SCOPE)
endfunction()
