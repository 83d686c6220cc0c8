# Install rules of every deliverable and the pkg-config files. Included from
# the top CMakeLists.txt after all targets exist; GNUInstallDirs is included
# there before the targets, for the run path. The Debian packages are built
# from this install by debian/rules (dpkg-buildpackage), which splits it
# into the packages named in debian/control.
#
# Installed layout (prefix /usr):
#   bin/                      the programs
#   LIBDIR/                   the shared libraries, each with its soname link,
#                             by which the programs and libraries load them
#                             at run time, and its unversioned link name
#   LIBDIR/pkgconfig/         one pkg-config file per library
#   include/kbx/              the public C headers
#   share/kbx/LAY/            the templates of the new-document dialog
#   share/kbx/examples/       the example layouts
#   share/kbx/translations/   the editor's English texts
#   share/applications/, share/icons/, share/man/man1/
#   share/mime/packages/      the layout source type (*.kbf) for the desktop

set(KBX_DATA_SUBDIR kbx)
set(KBX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/${KBX_DATA_SUBDIR})
set(KBX_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/kbx)
set(KBX_TRANSLATIONS_SUBDIR translations)

set(KBX_INSTALLED_PROGRAMS kbx32 kbxsim kbxdump kbxlayout kbxpos)

# library target | header | Requires | Requires.private | pkg-config description
# Requires: libraries whose functions the header tells its users to call
# (kbxfunc.h: the event loop of kbxplatform.h). Requires.private: libraries
# the library itself links and its users do not call.
set(KBX_LIBRARY_TABLE
  "kbxc32|compiler/include/kbxc32.h||kbxplatform|Layout compiler of the programmable keyboards"
  "kbxi32|iface/include/kbxi32.h||kbxplatform|Interface library of the programmable keyboards: download, upload, commands"
  "kbxfunc|posfunc/include/kbxfunc.h|kbxplatform||Point-of-sale function library of the programmable keyboards"
  "kbxplatform|platform/include/kbxplatform.h|||Platform services of the keyboard libraries"
  "kbxusb|tools/kbxusb/include/kbxusb.h||kbxplatform|USB transport library of the programmable keyboards")

install(TARGETS ${KBX_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(row IN LISTS KBX_LIBRARY_TABLE)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 KBX_PC_NAME)
  list(GET fields 1 header)
  list(GET fields 2 KBX_PC_REQUIRES)
  list(GET fields 3 KBX_PC_REQUIRES_PRIVATE)
  list(GET fields 4 KBX_PC_DESCRIPTION)
  install(TARGETS ${KBX_PC_NAME} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/${header} DESTINATION ${KBX_INSTALL_INCLUDEDIR})
  # Written at install time: the prefix is the one of the install (cmake
  # --install --prefix, or the package's /usr), not the configured one.
  install(CODE "
    set(KBX_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(KBX_PC_NAME \"${KBX_PC_NAME}\")
    set(KBX_PC_DESCRIPTION \"${KBX_PC_DESCRIPTION}\")
    set(KBX_PC_REQUIRES \"${KBX_PC_REQUIRES}\")
    set(KBX_PC_REQUIRES_PRIVATE \"${KBX_PC_REQUIRES_PRIVATE}\")
    set(KBX_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(KBX_PC_INCLUDEDIR \"${KBX_INSTALL_INCLUDEDIR}\")
    set(KBX_PC_VERSION \"${PROJECT_VERSION}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/library.pc.in\"
      \"${CMAKE_BINARY_DIR}/pkgconfig/${KBX_PC_NAME}.pc\" @ONLY)")
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/${KBX_PC_NAME}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/LAY ${CMAKE_SOURCE_DIR}/data/examples
  DESTINATION ${KBX_INSTALL_DATADIR})

foreach(program IN LISTS KBX_INSTALLED_PROGRAMS)
  install(FILES ${CMAKE_SOURCE_DIR}/doc/man/${program}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# Programs that find their data relative to their own folder, so that a
# DESTDIR or relocated install works as well as one in /usr.
file(RELATIVE_PATH KBX_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/${KBX_DATA_SUBDIR})
target_compile_definitions(kbxlayout_core PRIVATE KBX_INSTALLED_DATA_FROM_PROGRAM="${KBX_DATA_FROM_PROGRAM}/")

if(TARGET key)
  install(TARGETS key RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/key_en.qm
    DESTINATION ${KBX_INSTALL_DATADIR}/${KBX_TRANSLATIONS_SUBDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/key.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/key.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/kbx-layout.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES ${CMAKE_SOURCE_DIR}/doc/man/key.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # keyui_app: templates, translation, settings file; keyui_download: work files.
  foreach(user keyui_app keyui_download)
    target_compile_definitions(${user} PRIVATE
      KBX_INSTALLED_DATA_FROM_PROGRAM="${KBX_DATA_FROM_PROGRAM}/"
      KBX_INSTALLED_TRANSLATIONS="${KBX_TRANSLATIONS_SUBDIR}/")
  endforeach()
endif()

if(KBX_TESTS AND NOT KBX_SANITIZE)
  add_subdirectory(tests/install)
endif()
