# Where a Linux desktop finds the program: its menu entry, its icon in every size, and the
# user's guide, which the program opens from share/doc beside its bin folder.
set(OROLITH_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orolith-creator)

if(TARGET orolith_gui)
  file(RELATIVE_PATH _orolith_manual_from_bin
       ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${OROLITH_DOC_DIR}/manual.html)
  target_compile_definitions(orolith_gui PRIVATE
    OROLITH_MANUAL_INSTALLED="${_orolith_manual_from_bin}"
    OROLITH_MANUAL_SOURCE="${CMAKE_SOURCE_DIR}/resources/manual.html")
endif()

if(TARGET orolith-creator)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/orolith-creator.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/orolith-creator-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME orolith-creator.png)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/resources/orolith-creator.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/manual.html ${CMAKE_SOURCE_DIR}/docs/ramps.png
          DESTINATION ${OROLITH_DOC_DIR})
endif()
