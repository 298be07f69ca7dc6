# Third-party libraries, found through pkg-config and linked statically.
find_package(PkgConfig REQUIRED)

# An interface target carrying a pkg-config module set's static link line.
function(vistrel_pkg_target name)
  pkg_check_modules(${name} REQUIRED ${ARGN})
  add_library(deps::${name} INTERFACE IMPORTED GLOBAL)
  target_include_directories(deps::${name} INTERFACE ${${name}_STATIC_INCLUDE_DIRS})
  target_compile_options(deps::${name} INTERFACE ${${name}_STATIC_CFLAGS_OTHER})
  # As link items, so they follow the objects and libraries that need them.
  target_link_libraries(deps::${name} INTERFACE ${${name}_STATIC_LDFLAGS})
endfunction()

# libavutil allocates through mimalloc (see tools/setup.sh); the engine sets its options.
vistrel_pkg_target(ffmpeg libavdevice libavfilter libavformat libavcodec libswscale libswresample libavutil mimalloc)
vistrel_pkg_target(tinyxml2 tinyxml2)
vistrel_pkg_target(minizip minizip zlib)

find_package(GTest CONFIG)
