# Sources taken from folders: a folder that yields no source stops the
# configure, so that a moved or misspelt folder cannot leave its code or its
# tests silently unbuilt.
include_guard(GLOBAL)

# kbx_folder_sources(VARIABLE FOLDER...): the .cpp files of the folders
# (relative folders are taken from the calling CMakeLists.txt's folder).
function(kbx_folder_sources variable)
  set(sources)
  foreach(folder IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${folder}/*.cpp)
    if(NOT found)
      message(FATAL_ERROR "No sources in ${folder}")
    endif()
    list(APPEND sources ${found})
  endforeach()
  set(${variable} ${sources} PARENT_SCOPE)
endfunction()
