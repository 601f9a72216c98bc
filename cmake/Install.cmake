# Installation in the standard places, the .deb package, and the check of the installed tree.
# The programs look for the module and the data in the install layout relative to their own
# folder, then at the full install paths compiled into them, so an installed tree may be moved.

set(HALVANE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(HALVANE_ICON_SIZES 16 32 48 64 128 256)

# The window icon and the measurement buttons' images, compiled into the shell.
set(halvane_image_files ${HALVANE_PACKAGING_DIR}/icons/single.png
    ${HALVANE_PACKAGING_DIR}/icons/start.png ${HALVANE_PACKAGING_DIR}/icons/stop.png)
foreach(size ${HALVANE_ICON_SIZES})
  list(APPEND halvane_image_files ${HALVANE_PACKAGING_DIR}/icons/halvane-${size}.png)
endforeach()
qt_add_resources(halvane_shell halvane_images
  PREFIX /halvane
  BASE ${HALVANE_PACKAGING_DIR}/icons
  FILES ${halvane_image_files})

install(TARGETS Halvane Halvane-thermal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS halvane-camera-server LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/halvane)
file(GLOB halvane_calibration_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/calibration-*.ini)
install(FILES ${halvane_calibration_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/halvane)

install(FILES ${HALVANE_PACKAGING_DIR}/desktop/halvane.desktop
              ${HALVANE_PACKAGING_DIR}/desktop/halvane-thermal.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size ${HALVANE_ICON_SIZES})
  install(FILES ${HALVANE_PACKAGING_DIR}/icons/halvane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME halvane.png)
endforeach()
install(FILES ${HALVANE_PACKAGING_DIR}/icons/halvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Man pages are installed compressed, as Debian policy asks; -n keeps the package reproducible.
foreach(page Halvane Halvane-thermal)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9nc '${HALVANE_PACKAGING_DIR}/man/${page}.1' > '${compressed}'"
    DEPENDS ${HALVANE_PACKAGING_DIR}/man/${page}.1
    VERBATIM)
  list(APPEND halvane_man_pages ${compressed})
endforeach()
add_custom_target(halvane_man_pages ALL DEPENDS ${halvane_man_pages})
install(FILES ${halvane_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The .deb: `cpack -G DEB` in a Release tree configured with -DCMAKE_INSTALL_PREFIX=/usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvane)
set(CPACK_PACKAGE_VENDOR "Halvane developers")
set(CPACK_PACKAGE_CONTACT "Halvane developers <halvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Line-array spectrometer camera program")
set(CPACK_PACKAGE_DESCRIPTION
    "Halvane drives a line-array (CCD) spectrometer camera through a camera-server module and \
shows its spectra. The package holds the standard program Halvane, the thermal build \
Halvane-thermal, the simulated spectrometer module and the shipped calibration files.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, \
libqcustomplot2.1-qt6")
include(CPack)

if(HALVANE_TESTS)
  add_test(NAME install_tree
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_BINDIR}
      ${CMAKE_INSTALL_FULL_LIBDIR}/halvane ${CMAKE_INSTALL_FULL_DATADIR}/halvane
      ${CMAKE_INSTALL_DATADIR} ${CMAKE_INSTALL_MANDIR})
  set_tests_properties(install_tree PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

  # The compiled-in images, read as the running program reads them.
  add_executable(test_install ${CMAKE_SOURCE_DIR}/tests/install/ResourcesTest.cpp)
  target_link_libraries(test_install PRIVATE halvane_shell GTest::gtest GTest::gtest_main)
  target_include_directories(test_install PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(test_install PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(test_install DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
