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

# Full RELRO: the dynamic relocations resolved at start, then made read-only (Debian hardening).
foreach(target Halvane Halvane-thermal halvane-camera-server)
  target_link_options(${target} PRIVATE LINKER:-z,relro LINKER:-z,now)
endforeach()
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
# Man pages and the Debian changelog are installed compressed, as Debian policy asks; -n keeps the
# package reproducible.
set(halvane_compressed_dir ${CMAKE_BINARY_DIR}/compressed)
function(halvane_compressed source name destination)
  set(compressed ${halvane_compressed_dir}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${halvane_compressed_dir}
    COMMAND sh -c "gzip -9nc '${source}' > '${compressed}'"
    DEPENDS ${source}
    VERBATIM)
  install(FILES ${compressed} DESTINATION ${destination})
  set_property(GLOBAL APPEND PROPERTY halvane_compressed_files ${compressed})
endfunction()
foreach(page Halvane Halvane-thermal)
  halvane_compressed(${HALVANE_PACKAGING_DIR}/man/${page}.1 ${page}.1 ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(halvane_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/halvane)
# The version has no Debian revision, so the package is native and its changelog is changelog.gz.
halvane_compressed(${HALVANE_PACKAGING_DIR}/debian/changelog changelog ${halvane_doc_dir})
install(FILES ${HALVANE_PACKAGING_DIR}/debian/copyright DESTINATION ${halvane_doc_dir})
get_property(halvane_compressed_files GLOBAL PROPERTY halvane_compressed_files)
add_custom_target(halvane_docs ALL DEPENDS ${halvane_compressed_files})

# The .deb: `cpack -G DEB` in a Release tree configured with -DCMAKE_INSTALL_PREFIX=/usr.
# The changelog's newest entry is the package's version, so a version bump needs an entry.
file(STRINGS ${HALVANE_PACKAGING_DIR}/debian/changelog halvane_changelog_top LIMIT_COUNT 1)
if(NOT halvane_changelog_top MATCHES "^halvane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: the newest entry is not version "
    "${PROJECT_VERSION}: ${halvane_changelog_top}")
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvane)
set(CPACK_PACKAGE_VENDOR "Halvane developers")
set(CPACK_PACKAGE_CONTACT "Halvane developers <developers@halvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Line-array spectrometer camera program")
# One line of the extended description per line here, each within Debian's 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Halvane drives a line-array (CCD) spectrometer camera through a
camera-server module and shows its spectra. The package holds the standard
program Halvane, the thermal build Halvane-thermal, the simulated
spectrometer module and the shipped calibration files.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Depends comes from the libraries the programs and the module link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(HALVANE_TESTS)
  add_test(NAME install_tree
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_BINDIR}
      ${CMAKE_INSTALL_FULL_LIBDIR}/halvane ${CMAKE_INSTALL_FULL_DATADIR}/halvane
      ${CMAKE_INSTALL_DATADIR} ${CMAKE_INSTALL_MANDIR})
  set_tests_properties(install_tree PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

  # The .deb from a tree of its own, since this one may be sanitized or a Debug build. The tree
  # is kept between runs, so a later run rebuilds only what changed.
  add_test(NAME deb_package
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check-deb.sh
      ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/deb-package ${CMAKE_CXX_COMPILER})
  # It builds with every core, so it runs alone; the first build takes minutes.
  set_tests_properties(deb_package PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL ON TIMEOUT 1800)

  # The compiled-in images, read as the running program reads them.
  add_executable(test_install ${CMAKE_SOURCE_DIR}/tests/install/ResourcesTest.cpp)
  target_link_libraries(test_install PRIVATE halvane_shell GTest::gtest GTest::gtest_main)
  target_include_directories(test_install PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(test_install PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(test_install DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
