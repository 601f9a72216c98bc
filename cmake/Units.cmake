# One static library per subsystem, each from the sources of its folder and linking what those
# sources include, so a layer reaches only the layers below it. The units below the widgets need
# Qt Core alone; the fuzz project builds them from here with its own compiler and flags.
# Needs HALVANE_SOURCE_DIR (the project's root) and Qt6::Core.
include(GNUInstallDirs)

function(halvane_unit name)
  file(GLOB sources CONFIGURE_DEPENDS ${HALVANE_SOURCE_DIR}/src/${name}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${HALVANE_SOURCE_DIR}/src/${name}/*.h)
  add_library(halvane_${name} STATIC ${sources} ${headers})
  target_include_directories(halvane_${name} PUBLIC ${HALVANE_SOURCE_DIR}/src)
  target_link_libraries(halvane_${name} PUBLIC ${ARGN})
endfunction()

# Installed programs look for the module relative to their own folder first, so an install moved
# to another prefix still works, then at the configured path.
file(RELATIVE_PATH halvane_module_from_bindir ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_FULL_LIBDIR}/halvane)
halvane_unit(camera Qt6::Core ${CMAKE_DL_LIBS})
target_compile_definitions(halvane_camera PUBLIC
  HALVANE_INSTALL_LIBDIR="${CMAKE_INSTALL_FULL_LIBDIR}/halvane"
  HALVANE_MODULE_FROM_BINDIR="${halvane_module_from_bindir}")
halvane_unit(measurement halvane_camera)
halvane_unit(processing halvane_measurement)
halvane_unit(files halvane_processing)
