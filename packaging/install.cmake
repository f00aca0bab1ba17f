# `cmake --install` makes a program folder that runs as it is: the executable with
# Languages/, Catalogs/ and PartData/ beside it, and below share/ the desktop entry,
# the icons and the AppStream metainfo (link them into ~/.local/share to show Kelmar
# in the desktop's menu). The program folder must be writable for TempData and the
# settings file, or KELMAR_HOME names another one.

set(KELMAR_APP_ID org.kelmar.Kelmar)
# The release date of this version, shown with it in the metainfo.
set(KELMAR_RELEASE_DATE 2026-12-08)

if(KELMAR_BUILD_UI)
  install(TARGETS kelmar RUNTIME DESTINATION .)
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION .)
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/PartData\")")

set(icons ${CMAKE_SOURCE_DIR}/packaging/icons)
if(WIN32)
  install(FILES ${icons}/kelmar.ico DESTINATION .)
else()
  install(DIRECTORY ${icons}/hicolor DESTINATION share/icons)
  install(FILES ${icons}/kelmar.svg DESTINATION share/icons/hicolor/scalable/apps)

  configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/${KELMAR_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/packaging/${KELMAR_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${KELMAR_APP_ID}.metainfo.xml DESTINATION share/metainfo)

  # The entry names the executable and the icon by their installed paths, so it works
  # wherever it is linked from; the prefix is known only when installing.
  install(CODE "
    set(KELMAR_EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/kelmar\")
    set(KELMAR_ICON \"\${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/256x256/apps/kelmar.png\")
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/linux/kelmar.desktop.in\"
                   \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${KELMAR_APP_ID}.desktop\" @ONLY)
    message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${KELMAR_APP_ID}.desktop\")
  ")
endif()
